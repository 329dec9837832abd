#include "names/language_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;

LangDef Untouched() {
    LangDef def{};
    def.LangID = 77;
    CopyText(def.FileName, u"untouched");
    return def;
}

TEST(ResolveLanguage, TakesTheFirstLineOfTheLanguage) {
    struct Case {
        const char *name;
        std::vector<Text> table;
        std::string device;
        uint16_t asked;
        Result result;
        uint16_t langId;
        Text fileName;
    };
    const std::vector<Text> table = {u";LangID FileName", u"1033 English.ini", u"2052 Chinese$Simplified.ini extra",
                                     u"1033 English2.ini"};
    const std::vector<Case> cases = {
        {"first of two lines", table, "", 1033, Result::Ok, 1033, u"English.ini"},
        {"dollar read as space, extra fields ignored", table, "", 2052, Result::Ok, 2052, u"Chinese Simplified.ini"},
        {"0 asks the interface language", table, "ui_language = 2052\n", 0, Result::Ok, 2052, u"Chinese Simplified.ini"},
        {"interface language not listed", table, "ui_language = 1041\n", 0, Result::NotFound, 77, u"untouched"},
        {"no interface language", table, "ui_language = 0\n", 0, Result::NoLanguage, 77, u"untouched"},
        {"a given language never asks the platform", table, "ui_language = 0\n", 1033, Result::Ok, 1033,
         u"English.ini"},
        {"single-field line passed over", {u"1033", u"1033 B.ini"}, "", 1033, Result::Ok, 1033, u"B.ini"},
        {"only the low 16 bits count", {u"66569 Wide.ini"}, "", 1033, Result::Ok, 1033, u"Wide.ini"},
        {"comment lines only", {u";1033 A.ini", u";x"}, "", 1033, Result::NotFound, 77, u"untouched"},
        {"not a number reads as 0", {u"abc Zero.ini"}, "", 1033, Result::NotFound, 77, u"untouched"},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("Lang_Def.ini", c.table);
        dir.WriteDevice(c.device);
        LangDef def = Untouched();
        EXPECT_EQ(ResolveLanguage(c.asked, &def), c.result) << c.name;
        EXPECT_EQ(def.LangID, c.langId) << c.name;
        EXPECT_EQ(Text(def.FileName), c.fileName) << c.name;
    }
}

TEST(ResolveLanguage, ReportsAbsentRecordAndMissingTable) {
    DataDir dir;
    LangDef def = Untouched();
    EXPECT_EQ(ResolveLanguage(1033, nullptr), Result::Param);
    EXPECT_EQ(ResolveLanguage(1033, &def), Result::File);
    dir.WriteDevice("ui_language = 0\n");
    EXPECT_EQ(ResolveLanguage(0, &def), Result::NoLanguage) << "the language is asked before the table is opened";
    EXPECT_EQ(def.LangID, 77);
}

TEST(ListLanguages, ListsEveryDataLineInFileOrder) {
    DataDir dir;
    dir.WriteLines("Lang_Def.ini", {u"2052 C.ini", u";1041 J.ini", u"1033", u"abc X.ini", u"1033 E.ini", u"65537 W.ini"});
    uint16_t count = 9;
    std::vector<uint16_t> ids(TZ_MAX_LANGUAGES, 0xEEEE);
    ASSERT_EQ(ListLanguages(&count, ids.data()), Result::Ok);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(std::vector<uint16_t>(ids.begin(), ids.begin() + 4), (std::vector<uint16_t>{2052, 0, 1033, 1}));
    EXPECT_EQ(ids[4], 0xEEEE);
}

TEST(ListLanguages, FailuresLeaveTheCountAtZero) {
    DataDir dir;
    uint16_t ids[TZ_MAX_LANGUAGES];
    uint16_t count = 9;
    EXPECT_EQ(ListLanguages(&count, ids), Result::File);
    EXPECT_EQ(count, 0);
    dir.WriteLines("Lang_Def.ini", {u";comments", u";only"});
    count = 9;
    EXPECT_EQ(ListLanguages(&count, ids), Result::NotFound);
    EXPECT_EQ(count, 0);
    count = 9;
    EXPECT_EQ(ListLanguages(&count, nullptr), Result::Param);
    EXPECT_EQ(count, 9) << "nothing is written when an argument is absent";
    EXPECT_EQ(ListLanguages(nullptr, ids), Result::Param);
}

TEST(ListLanguages, KeepsTheFirst32Lines) {
    DataDir dir;
    std::vector<Text> table;
    for (int i = 1; i <= 40; ++i) table.push_back(Text(u"") + static_cast<TZChar>(u'0' + i / 10) +
                                                  static_cast<TZChar>(u'0' + i % 10) + u" L.ini");
    dir.WriteLines("Lang_Def.ini", table);
    std::vector<uint16_t> ids(TZ_MAX_LANGUAGES + 1, 0xEEEE);
    uint16_t count = 0;
    ASSERT_EQ(ListLanguages(&count, ids.data()), Result::Ok);
    EXPECT_EQ(count, TZ_MAX_LANGUAGES);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[TZ_MAX_LANGUAGES - 1], 32);
    EXPECT_EQ(ids[TZ_MAX_LANGUAGES], 0xEEEE) << "nothing past the 32nd entry";
}

}  // namespace
}  // namespace kelvane
