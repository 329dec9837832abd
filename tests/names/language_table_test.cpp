#include "names/language_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
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
        {"no interface language", table, "ui_language = 0\n", 0, Result::NoLanguage, KT("77 untouched")},
        {"a given language never asks the platform", table, "ui_language = 0\n", 1033, Result::Ok, KT("1033 English.ini")},
        {"comment lines only", {KT(";1033 A.ini"), KT(";x")}, "", 1033, Result::NotFound, KT("77 untouched")},
        {"table missing", {}, "", 1033, Result::File, KT("77 untouched")},
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
        EXPECT_EQ(test::Widen(std::to_string(def.LangID)) + KT(" ") + def.FileName, c.found) << c.name;
    }
    EXPECT_EQ(ResolveLanguage(1033, nullptr), Result::Param);
}

TEST(ListLanguages, ListsTheFirst32DataLinesInFileOrder) {
    DataDir dir;
    std::vector<Text> table = {KT("2052 C.ini"), KT(";1041 J.ini"), KT("1033"), KT("abc X.ini"), KT("1033 E.ini"), KT("65537 W.ini")};
    for (int i = 5; i <= 40; ++i) table.push_back(test::Widen(std::to_string(i)) + KT(" L.ini"));
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
}  // namespace kelvane
