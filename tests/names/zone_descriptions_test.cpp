#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::SweepAllocationFailures;
using test::Text;
using test::ZoneLine;
using test::ZoneText;

// A record as the caller passed it: every unit marked.
TZDesc Marked() {
    TZDesc desc;
    std::memset(&desc, 0x5A, sizeof desc);
    return desc;
}

bool IsMarked(const TZDesc &desc) {
    const TZDesc marked = Marked();
    return std::memcmp(&desc, &marked, sizeof desc) == 0;
}

// TZID and the four texts, for comparing a record in one expectation.
std::vector<Text> Texts(const TZDesc &d) {
    return {Text(1, static_cast<TZChar>(d.TZID)), d.Desc1, d.Desc2, d.Desc3, d.Desc4};
}

std::vector<Text> Expected(uint16_t id, Text d1, Text d2, Text d3, Text d4) {
    return {Text(1, static_cast<TZChar>(id)), d1, d2, d3, d4};
}

void WriteNames(const DataDir &dir) {
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10000, .type = 3, .detail = "My$zone"}),
                                      ZoneText(ZoneLine{.id = 10001, .type = 3}),  // 16 fields: passed over
                                      ZoneText(ZoneLine{.id = 33, .type = 3, .detail = "User$text"})});
    dir.WriteLines("Lang_Def.ini", {u"1033 En.ini", u"2052 Zh.ini"});
    dir.WriteLines("En.ini", {u";TZID Desc1 Desc2 Desc3 Desc4", u"33 Beijing Beijing$(old) China$Standard China$Daylight",
                              u"12 NY$old NY-old ES ED", u"12 New$York NY EST EDT", u"10001 U1 U2 U3",
                              u"10001 only four fields"});
    dir.WriteLines("Zh.ini", {u"33 北京 北京旧 中国标准时间 中国夏令时", u"33 second a b c", u"12 纽约 纽约旧 东部标准 东部夏令"});
}

TEST(GetTZDescByID, FillsFromTheUserFileAndTheLanguageFile) {
    DataDir dir;
    WriteNames(dir);
    const uint16_t ids[] = {10000, 33, 12, 10001, 99, 33};
    TZDesc descs[6] = {Marked(), Marked(), Marked(), Marked(), Marked(), Marked()};
    ASSERT_EQ(GetTZDescByID(ids, 6, descs), TZ_OK) << "unknown identifiers are no failure";
    EXPECT_EQ(Texts(descs[0]), Expected(10000, u"My zone", u"My zone", u"My zone", u"My zone"));
    EXPECT_EQ(Texts(descs[1]), Expected(33, u"Beijing", u"Beijing (old)", u"China Standard", u"China Daylight"))
        << "the description file's texts win over the user file's";
    EXPECT_EQ(Texts(descs[2]), Expected(12, u"New York", u"NY", u"EST", u"EDT")) << "a later line wins";
    EXPECT_TRUE(IsMarked(descs[3])) << "a 16-field user line and a 4-field description line are passed over";
    EXPECT_TRUE(IsMarked(descs[4])) << "a zone neither file holds";
    EXPECT_TRUE(IsMarked(descs[5])) << "a repeated identifier fills its first slot only";
}

TEST(GetTZDescByID, FollowsTheInterfaceLanguage) {
    DataDir dir;
    WriteNames(dir);
    dir.WriteDevice("ui_language = 2052\n");
    const uint16_t id = 33;
    TZDesc desc = Marked();
    ASSERT_EQ(GetTZDescByID(&id, 1, &desc), TZ_OK);
    EXPECT_EQ(Texts(desc), Expected(33, u"second", u"a", u"b", u"c"));
}

TEST(GetTZDescByID, ReportsEachFailure) {
    struct Case {
        const char *name;
        std::string device;
        const char *removed;
        uint32_t result;
        bool userRecordFilled;
    };
    const Case cases[] = {
        {"user file missing", "", "TZ_UserDef.ini", TZ_ERR_FILE, false},
        {"language table missing", "", "Lang_Def.ini", TZ_ERR_FILE, true},
        {"language file missing", "", "En.ini", TZ_ERR_FILE, true},
        {"language not listed", "ui_language = 1041\n", nullptr, TZ_ERR_NOT_FOUND, true},
        {"no interface language", "ui_language = 0\n", nullptr, TZ_ERR_NO_LANGUAGE, true},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteNames(dir);
        dir.WriteDevice(c.device);
        if (c.removed != nullptr) dir.Remove(c.removed);
        const uint16_t ids[] = {10000, 12};
        TZDesc descs[2] = {Marked(), Marked()};
        EXPECT_EQ(GetTZDescByID(ids, 2, descs), c.result) << c.name;
        EXPECT_EQ(!IsMarked(descs[0]), c.userRecordFilled) << c.name;
        EXPECT_TRUE(IsMarked(descs[1])) << c.name;
    }
    DataDir dir;
    WriteNames(dir);
    const uint16_t id = 33;
    TZDesc desc = Marked();
    EXPECT_EQ(GetTZDescByID(nullptr, 1, &desc), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZDescByID(&id, 0, &desc), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZDescByID(&id, 1, nullptr), TZ_ERR_PARAM);
    EXPECT_TRUE(IsMarked(desc));
}

TEST(GetTZAllLanguageDescByID, DescribesASystemZoneInEveryLanguage) {
    DataDir dir;
    WriteNames(dir);
    uint16_t count = 0, langIds[TZ_MAX_LANGUAGES] = {};
    TZDesc descs[2] = {Marked(), Marked()};
    ASSERT_EQ(GetTZAllLanguageDescByID(12, &count, langIds, descs), TZ_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(langIds[0], 1033);
    EXPECT_EQ(langIds[1], 2052);
    EXPECT_EQ(Texts(descs[0]), Expected(12, u"NY old", u"NY-old", u"ES", u"ED")) << "the first matching line wins";
    EXPECT_EQ(Texts(descs[1]), Expected(12, u"纽约", u"纽约旧", u"东部标准", u"东部夏令"));

    descs[0] = descs[1] = Marked();
    ASSERT_EQ(GetTZAllLanguageDescByID(99, &count, langIds, descs), TZ_OK);
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(IsMarked(descs[0]) && IsMarked(descs[1])) << "no file holds zone 99";
}

TEST(GetTZAllLanguageDescByID, AUserZoneHasOneText) {
    DataDir dir;
    WriteNames(dir);
    dir.Remove("Lang_Def.ini");
    uint16_t count = 0, langIds[TZ_MAX_LANGUAGES] = {7};
    TZDesc descs[2] = {Marked(), Marked()};
    ASSERT_EQ(GetTZAllLanguageDescByID(33, &count, langIds, descs), TZ_OK) << "the table is not needed";
    EXPECT_EQ(count, 1);
    EXPECT_EQ(langIds[0], 0);
    EXPECT_EQ(Texts(descs[0]), Expected(33, u"User text", u"User text", u"User text", u"User text"));
    EXPECT_TRUE(IsMarked(descs[1]));
}

TEST(GetTZAllLanguageDescByID, KeepsWhatWasReadBeforeAFailure) {
    DataDir dir;
    WriteNames(dir);
    dir.Remove("Zh.ini");
    uint16_t count = 0, langIds[TZ_MAX_LANGUAGES] = {};
    TZDesc descs[2] = {Marked(), Marked()};
    EXPECT_EQ(GetTZAllLanguageDescByID(12, &count, langIds, descs), TZ_ERR_FILE);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(descs[0].TZID, 12);
    EXPECT_TRUE(IsMarked(descs[1]));

    // A table entry that reads as language 0 resolves the interface language.
    dir.WriteLines("Lang_Def.ini", {u"x Zh.ini"});
    dir.WriteDevice("ui_language = 0\n");
    EXPECT_EQ(GetTZAllLanguageDescByID(12, &count, langIds, descs), TZ_ERR_NO_LANGUAGE);
    dir.Remove("Lang_Def.ini");
    EXPECT_EQ(GetTZAllLanguageDescByID(12, &count, langIds, descs), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(GetTZAllLanguageDescByID(10000, &count, langIds, descs), TZ_ERR_FILE);
    EXPECT_EQ(GetTZAllLanguageDescByID(0, nullptr, langIds, descs), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZAllLanguageDescByID(0, &count, nullptr, descs), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZAllLanguageDescByID(0, &count, langIds, nullptr), TZ_ERR_PARAM);
}

TEST(GetTZAllLanguageDescByID, NeverWritesMoreThan32Records) {
    DataDir dir;
    WriteNames(dir);
    std::vector<Text> table;
    for (int i = 0; i < 40; ++i) table.push_back(u"1033 En.ini");
    dir.WriteLines("Lang_Def.ini", table);
    uint16_t count = 0;
    std::vector<uint16_t> langIds(TZ_MAX_LANGUAGES + 1, 0xEEEE);
    std::vector<TZDesc> descs(TZ_MAX_LANGUAGES + 1, Marked());
    ASSERT_EQ(GetTZAllLanguageDescByID(12, &count, langIds.data(), descs.data()), TZ_OK);
    EXPECT_EQ(count, TZ_MAX_LANGUAGES);
    EXPECT_EQ(langIds[TZ_MAX_LANGUAGES - 1], 1033);
    EXPECT_EQ(Texts(descs[TZ_MAX_LANGUAGES - 1]), Expected(12, u"NY old", u"NY-old", u"ES", u"ED"));
    EXPECT_EQ(langIds[TZ_MAX_LANGUAGES], 0xEEEE) << "nothing past the 32nd entry";
    EXPECT_TRUE(IsMarked(descs[TZ_MAX_LANGUAGES]));
}

TEST(GetTZDescByID, AllocationFailureIsReportedAndReleased) {
    DataDir dir;
    WriteNames(dir);
    const uint16_t ids[] = {10000, 12};
    TZDesc descs[2];
    ASSERT_EQ(GetTZDescByID(ids, 2, descs), TZ_OK);
    int failures = 0;
    SweepAllocationFailures([&] { return GetTZDescByID(ids, 2, descs); },
                            [&](uint32_t result, uint64_t n) {
                                ++failures;
                                EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER)
                                    << "allocation " << n << " gave " << result;
                            });
    EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace kelvane
