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
        std::string device;
        uint16_t asked;
        Result result;
        Text found;  // LangID and FileName; "77 untouched" as passed
    };
    const std::vector<Text> table = {KT(";LangID FileName"), KT("1033 English.ini"), KT("2052 Chinese$Simplified.ini extra"),
                                      KT("1033 English2.ini")};
    const std::vector<Case> cases = {
        {"first of two lines", table, "", 1033, Result::Ok, KT("1033 English.ini")},
        {"dollar read as space, extra fields ignored", table, "", 2052, Result::Ok, KT("2052 Chinese Simplified.ini")},
        {"a single field is no line; only the low 16 bits count", {KT("1033"), KT("66569 Wide.ini")}, "", 1033, Result::Ok,
         KT("1033 Wide.ini")},
        {"0 asks the interface language", table, "ui_language = 2052\n", 0, Result::Ok, KT("2052 Chinese Simplified.ini")},
        {"interface language not listed", table, "ui_language = 1041\n", 0, Result::NotFound, KT("77 untouched")},
        {"British English: the primary default", table, "ui_language = 2057\n", 0, Result::Ok, KT("1033 English.ini")},
        {"an explicit identifier has no fallback", table, "", 2057, Result::NotFound, KT("77 untouched")},
        {"Singapore: simplified script, not the primary default", {KT("1028 Trad.ini"), KT("2052 Simp.ini")},
         "ui_language = 4100\n", 0, Result::Ok, KT("2052 Simp.ini")},
        {"Hong Kong: traditional script", {KT("2052 Simp.ini"), KT("1028 Trad.ini")}, "ui_language = 3076\n", 0,
         Result::Ok, KT("1028 Trad.ini")},
        {"Austrian German: the default region before any other", {KT("2055 Swiss.ini"), KT("1031 German.ini")},
         "ui_language = 3079\n", 0, Result::Ok, KT("1031 German.ini")},
        {"no default region: the first line of the primary language", {KT("1033 E.ini"), KT("2070 PT.ini"), KT("3082 ES.ini"), KT("2058 MX.ini")},
         "ui_language = 11274\n", 0, Result::Ok, KT("3082 ES.ini")},
        {"the exact line wins over an earlier default", {KT("1036 FR.ini"), KT("3084 CA.ini")}, "ui_language = 3084\n", 0,
         Result::Ok, KT("3084 CA.ini")},
        {"no interface language", table, "ui_language = 0\n", 0, Result::NoLanguage, KT("77 untouched")},
        {"a given language never asks the platform", table, "ui_language = 0\n", 1033, Result::Ok, KT("1033 English.ini")},
        {"comment lines only", {KT(";1033 A.ini"), KT(";x")}, "", 1033, Result::NotFound, KT("77 untouched")},
        {"the language is asked before the table is opened", {}, "ui_language = 0\n", 0, Result::NoLanguage,
         KT("77 untouched")},
    };
    for (const Case &c : cases) {
        DataDir dir;
        if (!c.table.empty()) dir.WriteLines("Lang_Def.ini", c.table);
        dir.WriteDevice(c.device);
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
