#include "names/language_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane::test {
namespace {
using Ids = std::vector<uint16_t>;

TEST(ResolveLanguage, TakesTheFirstLineOfTheLanguage) {
    struct Case {
        const char *name;
        std::vector<Text> table;  // empty: no Lang_Def.ini
        uint16_t interfaceLanguage;  // the platform's; 0: none, so an explicit identifier never asks it
        uint16_t asked;
        Result result;
        Text found;  // LangID and FileName; "77 untouched" as passed
    };
    const std::vector<Text> table = {KT(";LangID FileName"), KT("1033 English.ini"), KT("2052 Chinese$Simplified.ini extra"),
                                      KT("1033 English2.ini")};
    const Text untouched = KT("77 untouched");
    const std::vector<Case> cases = {
        {"first of two lines", table, 0, 1033, Result::Ok, KT("1033 English.ini")},
        {"dollar read as space, extra fields ignored", table, 0, 2052, Result::Ok, KT("2052 Chinese Simplified.ini")},
        {"one field is no line; the low 16 bits count", {KT("1033"), KT("66569 W.ini")}, 0, 1033, Result::Ok, KT("1033 W.ini")},
        {"0 asks the interface language", table, 2052, 0, Result::Ok, KT("2052 Chinese Simplified.ini")},
        {"interface language not listed", table, 1041, 0, Result::NotFound, untouched},
        {"British English: the primary default", table, 2057, 0, Result::Ok, KT("1033 English.ini")},
        {"an explicit identifier has no fallback", table, 0, 2057, Result::NotFound, untouched},
        {"Singapore: simplified script, not the primary default", {KT("1028 Trad.ini"), KT("2052 Simp.ini")}, 4100, 0,
         Result::Ok, KT("2052 Simp.ini")},
        {"Hong Kong: traditional script", {KT("2052 Simp.ini"), KT("1028 Trad.ini")}, 3076, 0, Result::Ok, KT("1028 Trad.ini")},
        {"Austrian German: the default region before any other", {KT("2055 Swiss.ini"), KT("1031 German.ini")}, 3079, 0,
         Result::Ok, KT("1031 German.ini")},
        {"no default region: the first line of the primary language",
         {KT("1033 E.ini"), KT("2070 PT.ini"), KT("3082 ES.ini"), KT("2058 MX.ini")}, 11274, 0, Result::Ok, KT("3082 ES.ini")},
        {"the exact line wins over an earlier default", {KT("1036 FR.ini"), KT("3084 CA.ini")}, 3084, 0, Result::Ok,
         KT("3084 CA.ini")},
        {"no interface language", table, 0, 0, Result::NoLanguage, untouched},
        {"comment lines only", {KT(";1033 A.ini"), KT(";x")}, 0, 1033, Result::NotFound, untouched},
        {"the language is asked before the table is opened", {}, 0, 0, Result::NoLanguage, untouched},
    };
    for (const Case &c : cases) {
        DataDir dir;
        if (!c.table.empty()) dir.WriteLines("Lang_Def.ini", c.table);
        dir.WriteDevice("ui_language = " + std::to_string(c.interfaceLanguage) + "\n");
        LangDef def{77, {}};
        CopyText(def.FileName, KT("untouched"));
        EXPECT_EQ(ResolveLanguage(c.asked, &def), c.result) << c.name;
        EXPECT_EQ(Widen(std::to_string(def.LangID)) + KT(" ") + def.FileName, c.found) << c.name;
    }
    EXPECT_EQ(ResolveLanguage(1033, nullptr), Result::Param);
}

TEST(ListLanguages, ListsTheFirst32DataLinesInFileOrder) {
    DataDir dir;
    std::vector<Text> table = {KT("2052 C.ini"), KT(";1041 J.ini"), KT("1033"), KT("abc X.ini"), KT("1033 E.ini"), KT("65537 W.ini")};
    for (int i = 5; i <= 40; ++i) table.push_back(Widen(std::to_string(i)) + KT(" L.ini"));
    dir.WriteLines("Lang_Def.ini", table);
    uint16_t count = 9;
    Ids ids(TZ_MAX_LANGUAGES + 1, 0xEEEE);
    ASSERT_EQ(ListLanguages(&count, ids.data()), Result::Ok);
    ASSERT_EQ(count, TZ_MAX_LANGUAGES);
    EXPECT_EQ(Ids(ids.begin(), ids.begin() + 5), (Ids{2052, 0, 1033, 1, 5}));
    EXPECT_EQ(ids[TZ_MAX_LANGUAGES - 1], 32);
    EXPECT_EQ(ids[TZ_MAX_LANGUAGES], 0xEEEE) << "nothing past the 32nd entry";
    dir.WriteLines("Lang_Def.ini", {KT(";comments"), KT(";only")});
    EXPECT_EQ(ListLanguages(&count, ids.data()), Result::NotFound);
    EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace kelvane::test
