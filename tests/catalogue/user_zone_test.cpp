#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "Kelvane.h"
#include "catalogue/user_zone_file.h"
#include "catalogue/zone_list.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/faulty_device.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::BannerLines;
using test::DataDir;
using test::FaultyDevice;
using test::FileLines;
using test::Text;
using test::Widen;
using test::ZoneLine;
using test::ZoneText;

using Ids = std::vector<uint16_t>;

const std::vector<Text> kLegendAndColumns = {
    u";TZID -- 时区字段ID\r\n",
    u";Offset -- 相对偏移时间(分钟)\r\n",
    u";Type -- 城市反查ID用, 类型定义: 0、默认基本类型(系统, 主要为了兼容以前系统) 1、基本类型(系统) 2、用户定义类型\r\n",
    u";StdMonth -- 标准时间月(开始)\r\n",
    u";StdDay -- 标准时间第几DayOfWeek\r\n",
    u";StdDayOfWeek --周几\r\n",
    u";StdHour -- 标准时间小时\r\n",
    u";StdOffSet -- 标准时间偏移\r\n",
    u";DltMonth -- 标准时间月(开始)\r\n",
    u";DltDay -- 标准时间第几DayOfWeek\r\n",
    u";DltDayOfWeek --周几\r\n",
    u";DltHour -- 标准时间小时\r\n",
    u";DltOffSet -- 标准时间偏移\r\n",
    u";X -- 坐标X\r\n",
    u";Y -- 坐标Y\r\n",
    u";Contact -- 缺省时区ID\r\n",
    u";Detail -- 注释作用, 不使用\r\n",
    u";\r\n",
    u";字段中出现空格使用字符$代替\r\n",
    u";-------------------------------------------------------------------------------------------------------------\r\n",
    u"\r\n",
    u";TZID\tOffset\tType\tStdMonth\tStdDay\tStdDayOfWeek\tStdHour\tStdOffSet\tDltMonth\tDltDay\tDltDayOfWeek\tDltHour\t"
    u"DltOffset\tX\tY\tContact\tDetail\r\n",
};

std::vector<Text> Header() {
    std::vector<Text> lines = BannerLines();
    lines.insert(lines.end(), kLegendAndColumns.begin(), kLegendAndColumns.end());
    return lines;
}

TZInfo Zone(uint16_t id, int32_t offset, const char *detail, uint16_t type = 3) {
    TZInfo z{};
    z.TZID = id;
    z.Type = type;
    z.Offset = offset;
    z.StdMonth = 10, z.StdDay = 5, z.StdDayOfWeek = 0, z.StdHour = 3, z.StdOffSet = 0;
    z.DltMonth = 3, z.DltDay = 5, z.DltDayOfWeek = 0, z.DltHour = 2, z.DltOffset = -60;
    z.X = -120, z.Y = 45, z.Contact = 33;
    for (int i = 0; detail[i] != 0; ++i) z.Detail[i] = static_cast<TZChar>(detail[i]);
    return z;
}

// The zone line as the device's formatter wrote it, spaces in Detail as '$'.
Text ZoneFileLine(const TZInfo &z) {
    std::string detail;
    for (int i = 0; i < 64 && z.Detail[i] != 0; ++i) detail += z.Detail[i] == u' ' ? '$' : static_cast<char>(z.Detail[i]);
    char line[300];
    std::snprintf(line, sizeof line,
                  "%5hu\t%6ld\t%4hu\t%8hu\t%12hu\t%6hu\t%7hu\t%9ld\t%8hu\t%12hu\t%6hu\t%7hu\t%9ld\t%ld\t%ld\t%5hu\t%s\r\n",
                  z.TZID, long(z.Offset), z.Type, z.StdMonth, z.StdDay, z.StdDayOfWeek, z.StdHour, long(z.StdOffSet),
                  z.DltMonth, z.DltDay, z.DltDayOfWeek, z.DltHour, long(z.DltOffset), long(z.X), long(z.Y), z.Contact,
                  detail.c_str());
    return Widen(line);
}

std::vector<Text> ExpectedUserFile(const std::vector<TZInfo> &zones) {
    std::vector<Text> lines = Header();
    for (const TZInfo &z : zones) lines.push_back(ZoneFileLine(z));
    return lines;
}

void WriteUserZones(const std::vector<TZInfo> &zones) {
    ASSERT_EQ(SaveUserTZFile(zones.data(), static_cast<uint16_t>(zones.size())), Result::Ok);
}

void WriteFrequency(const DataDir &dir, const Ids &ids) {
    std::vector<Text> lines;
    for (uint16_t id : ids) lines.push_back(Widen(std::to_string(id)) + u" 1");
    dir.WriteLines("TZ_Frequency.ini", lines);
}

Ids Frequency() {
    uint16_t ids[TZ_MAX_ZONES];
    uint16_t count = 0;
    if (GetTZFrequency(&count, ids, 0) != TZ_OK) return {9999};
    return Ids(ids, ids + count);
}

// System zones 33 and 45; the user file as given.
void WriteZoneFiles(const DataDir &dir, const std::vector<TZInfo> &user) {
    dir.WriteLines("TZ_Def.ini", {ZoneText(ZoneLine{.id = 33}), ZoneText(ZoneLine{.id = 45})});
    WriteUserZones(user.empty() ? std::vector<TZInfo>{TZInfo{}} : user);
}

std::vector<TZInfo> UserZones(int count) {
    std::vector<TZInfo> zones;
    for (int i = 0; i < count; ++i) zones.push_back(Zone(static_cast<uint16_t>(10000 + i), i, "Zone"));
    return zones;
}

TEST(SaveUserTZFile, WritesTheHeaderAndOneLinePerLiveZone) {
    DataDir dir;
    TZInfo wide = Zone(10007, -480, "My Zone");
    wide.StdOffSet = INT32_MIN, wide.X = INT32_MAX, wide.Y = INT32_MIN, wide.Contact = 65535;
    const std::vector<TZInfo> zones = {wide, Zone(0, 60, "Deleted"), Zone(10001, 300, "West")};
    ASSERT_EQ(SaveUserTZFile(zones.data(), 3), Result::Ok);
    const std::vector<Text> lines = FileLines(dir, "TZ_UserDef.ini");
    EXPECT_EQ(lines, ExpectedUserFile({zones[0], zones[2]}));
    EXPECT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[38].substr(0, 19), u"10007\t  -480\t   3\t ") << "records keep array order";
    EXPECT_NE(lines[38].find(u"\t-2147483648\t"), Text::npos);
    EXPECT_NE(lines[38].find(u"\tMy$Zone\r\n"), Text::npos);
}

TEST(SaveUserTZFile, AnEmptyCatalogueIsTheHeaderAlone) {
    DataDir dir;
    const TZInfo none[2] = {};
    ASSERT_EQ(SaveUserTZFile(none, 2), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), Header());
    EXPECT_EQ(Header().size(), 38u);
    uint16_t count = 200;
    EXPECT_EQ(GetTZCount(3, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    const std::string old = dir.ReadBytes("TZ_UserDef.ini");
    EXPECT_EQ(SaveUserTZFile(none, 0), Result::Param);
    EXPECT_EQ(SaveUserTZFile(nullptr, 1), Result::Param);
    EXPECT_EQ(dir.ReadBytes("TZ_UserDef.ini"), old);
}

TEST(SaveUserTZFile, DescriptionsReadBackWithTheirSpaces) {
    DataDir dir;
    std::vector<TZInfo> zones = {Zone(10000, 0, "My home zone"), Zone(10001, 0, "tab\there")};
    zones[1].Detail[8] = u'\n';  // "tab\their\n"-style separators stay inside the field
    WriteUserZones(zones);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini").size(), 40u) << "a line break in a description splits no line";
    std::vector<TZInfo> back(TZ_MAX_ZONES);
    uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(back.data(), &count, 3), Result::Ok);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Text(back[0].Detail), u"My home zone");
    EXPECT_EQ(Text(back[1].Detail), u"tab here ");
}

TEST(AddTZ, StoresTheZoneUnderTheLowestFreeIdentifier) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    TZInfo first = Zone(7, -480, "First", 0);
    ASSERT_EQ(AddTZ(&first), TZ_OK);
    const TZInfo stored = Zone(10000, -480, "First");
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({stored}));
    EXPECT_FALSE(dir.Exists("TZ_Frequency.ini")) << "InFrequency 0 needs no frequency file";

    WriteZoneFiles(dir, {Zone(10001, 0, "Kept"), Zone(10003, 0, "Other")});
    TZInfo next = Zone(1, 0, "Reuses");
    ASSERT_EQ(AddTZ(&next), TZ_OK);
    ASSERT_EQ(AddTZ(&next), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"),
              ExpectedUserFile({Zone(10001, 0, "Kept"), Zone(10003, 0, "Other"), Zone(10000, 0, "Reuses"),
                                Zone(10002, 0, "Reuses")}));
}

TEST(AddTZ, KeepsTheUserCatalogueWithin50Zones) {
    DataDir dir;
    WriteZoneFiles(dir, UserZones(49));
    TZInfo zone = Zone(0, 0, "Last");
    ASSERT_EQ(AddTZ(&zone), TZ_OK);
    std::vector<TZInfo> expected = UserZones(49);
    expected.push_back(Zone(10049, 0, "Last"));
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile(expected));
    const auto before = dir.Snapshot();
    EXPECT_EQ(AddTZ(&zone), TZ_ERR_LIST_FULL);
    EXPECT_EQ(dir.Snapshot(), before);
}

TEST(AddTZ, RefusesAMissingRecordOrDescription) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    const auto before = dir.Snapshot();
    TZInfo blank = Zone(0, 0, "");
    EXPECT_EQ(AddTZ(&blank), TZ_ERR_PARAM);
    EXPECT_EQ(AddTZ(nullptr), TZ_ERR_PARAM);
    EXPECT_EQ(UpdateTZ(&blank), TZ_ERR_PARAM);
    EXPECT_EQ(UpdateTZ(nullptr), TZ_ERR_PARAM);
    EXPECT_EQ(dir.Snapshot(), before);
    dir.Remove("TZ_UserDef.ini");
    TZInfo zone = Zone(0, 0, "x");
    EXPECT_EQ(AddTZ(&zone), TZ_ERR_FILE);
    EXPECT_FALSE(dir.Exists("TZ_UserDef.ini")) << "the user file is never created";
}

TEST(AddTZ, CutsAnUnterminatedDescription) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    TZInfo zone = Zone(0, 0, "");
    for (TZChar &c : zone.Detail) c = u'd';
    ASSERT_EQ(AddTZ(&zone), TZ_OK);
    std::vector<TZInfo> back(TZ_MAX_ZONES);
    uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(back.data(), &count, 3), Result::Ok);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(Text(back[0].Detail), Text(63, u'd'));
}

TEST(AddTZ, PutsTheZoneOnTheFrequencyListWhenAsked) {
    struct Case {
        const char *name;
        bool frequencyFile;
        Ids before;
        uint32_t result;
        Ids after;
    };
    Ids full = {33, 45};
    for (int i = 0; i < 47; ++i) full.push_back(static_cast<uint16_t>(10001 + i));
    const std::vector<Case> cases = {
        {"appended", true, {45, 33}, TZ_OK, {45, 33, 10000}},
        {"no frequency file: 1001, zone added", false, {}, TZ_ERR_FILE, {9999}},
        {"49 others: 3003, zone added, list unchanged", true, full, TZ_ERR_LIST_FULL, full},
    };
    for (const Case &c : cases) {
        DataDir dir;
        std::vector<TZInfo> user = c.before.size() > 2 ? UserZones(48) : std::vector<TZInfo>{};
        for (TZInfo &z : user) z.TZID = static_cast<uint16_t>(z.TZID + 1);  // 10001 to 10048; 10000 is free
        WriteZoneFiles(dir, user);
        if (c.frequencyFile) WriteFrequency(dir, c.before);
        TZInfo zone = Zone(0, 0, "Mine");
        zone.InFrequency = 1;
        EXPECT_EQ(AddTZ(&zone), c.result) << c.name;
        std::vector<TZInfo> expected = user;
        expected.push_back(Zone(10000, 0, "Mine"));
        EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile(expected)) << c.name;
        EXPECT_EQ(Frequency(), c.after) << c.name;
    }
}

TEST(UpdateTZ, ReplacesAUserZoneAndKeepsItAUserZone) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A"), Zone(10001, 60, "B")});
    WriteFrequency(dir, {10001, 33, 10001});
    TZInfo changed = Zone(10001, -330, "B changed", 0);
    changed.StdMonth = 0, changed.DltMonth = 0, changed.X = 7;
    ASSERT_EQ(UpdateTZ(&changed), TZ_OK);
    TZInfo stored = changed;
    stored.Type = 3;
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, 0, "A"), stored}));
    EXPECT_EQ(Frequency(), (Ids{33})) << "InFrequency 0 takes every occurrence off";
    uint16_t count = 200;
    ASSERT_EQ(GetTZCount(3, &count), TZ_OK);
    EXPECT_EQ(count, 2) << "a Type 0 record does not make the zone vanish";

    changed.InFrequency = 1;
    ASSERT_EQ(UpdateTZ(&changed), TZ_OK);
    EXPECT_EQ(Frequency(), (Ids{33, 10001}));
}

TEST(UpdateTZ, FindsOnlyUserZones) {
    DataDir dir;
    for (const uint16_t id : {uint16_t{33}, uint16_t{10005}, uint16_t{0}}) {
        WriteZoneFiles(dir, {Zone(10000, 0, "A")});
        WriteFrequency(dir, {33});
        const auto before = dir.Snapshot();
        TZInfo zone = Zone(id, 0, "Z");
        EXPECT_EQ(UpdateTZ(&zone), TZ_ERR_STATE) << id;
        EXPECT_EQ(dir.Snapshot(), before) << id;
    }
    WriteZoneFiles(dir, {});
    TZInfo zone = Zone(10000, 0, "Z");
    EXPECT_EQ(UpdateTZ(&zone), TZ_ERR_STATE);
}

TEST(DeleteTZ, RemovesUserZonesAndTakesEveryGivenZoneOffTheList) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A b"), Zone(10001, 0, "B"), Zone(10002, 0, "C d e")});
    WriteFrequency(dir, {33, 10001, 45, 10000});
    const Ids ids = {10001, 33, 10009};
    ASSERT_EQ(DeleteTZ(3, ids.data()), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, 0, "A b"), Zone(10002, 0, "C d e")}));
    EXPECT_EQ(Frequency(), (Ids{45, 10000}));
    const Ids all = {10000, 10002};
    ASSERT_EQ(DeleteTZ(2, all.data()), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), Header());
}

TEST(DeleteTZ, RefusesWhenThereIsNothingToDelete) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    WriteFrequency(dir, {33});
    const auto before = dir.Snapshot();
    const uint16_t id = 33;
    EXPECT_EQ(DeleteTZ(1, &id), TZ_ERR_PARAM) << "no user zone at all";
    EXPECT_EQ(DeleteTZ(0, &id), TZ_ERR_PARAM);
    EXPECT_EQ(DeleteTZ(1, nullptr), TZ_ERR_PARAM);
    EXPECT_EQ(dir.Snapshot(), before);
}

TEST(UserZoneEditing, AFailedRewriteLeavesBothFiles) {
    DataDir dir;
    FaultyDevice device((dir.Path() / "host").string());
    testing::InstallPlatform(&device);
    WriteZoneFiles(dir, {Zone(10000, 0, "A")});
    WriteFrequency(dir, {33});
    const auto before = dir.Snapshot();
    device.writableBytes = 300;
    TZInfo zone = Zone(10000, 0, "B");
    zone.InFrequency = 1;
    EXPECT_EQ(AddTZ(&zone), TZ_ERR_WRITE);
    EXPECT_EQ(UpdateTZ(&zone), TZ_ERR_WRITE);
    const uint16_t id = 10000;
    EXPECT_EQ(DeleteTZ(1, &id), TZ_ERR_WRITE);
    EXPECT_EQ(dir.Snapshot(), before);
    testing::InstallPlatform(&dir.Device());
}

// Each run starts from the same files; a failure must leave the frequency
// list as it was, and the user file either as it was or as the call changes it.
void SweepEdit(const std::function<uint32_t()> &edit) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A"), Zone(10002, 0, "C")});
    WriteFrequency(dir, {33, 10000});
    const auto before = dir.Snapshot();
    ASSERT_EQ(edit(), TZ_OK);
    const auto after = dir.Snapshot();
    ASSERT_NE(after.at("TZ_UserDef.ini"), before.at("TZ_UserDef.ini"));
    ASSERT_NE(after.at("TZ_Frequency.ini"), before.at("TZ_Frequency.ini"));
    auto restore = [&] {
        for (const auto &[name, bytes] : before) dir.WriteBytes(name, bytes);
    };
    int failures = 0, userFileChanged = 0;
    test::SweepAllocationFailures(
        [&] {
            restore();
            return edit();
        },
        [&](uint32_t result, uint64_t n) {
            ++failures;
            EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER) << "allocation " << n << ": " << result;
            const auto now = dir.Snapshot();
            EXPECT_EQ(now.at("TZ_Frequency.ini"), before.at("TZ_Frequency.ini")) << "allocation " << n;
            const std::string &user = now.at("TZ_UserDef.ini");
            EXPECT_TRUE(user == before.at("TZ_UserDef.ini") || user == after.at("TZ_UserDef.ini")) << "allocation " << n;
            userFileChanged += user != before.at("TZ_UserDef.ini") ? 1 : 0;
            EXPECT_EQ(now.size(), before.size()) << "no temporary file is left";
        });
    EXPECT_GT(failures, 10);
    EXPECT_GT(userFileChanged, 0) << "some failures come in the frequency step, after the user file";
}

TEST(UserZoneEditing, AllocationFailureChangesNothingBeforeEachRewrite) {
    TZInfo added = Zone(0, 0, "New");
    added.InFrequency = 1;
    SweepEdit([&] { return AddTZ(&added); });
    TZInfo updated = Zone(10002, 120, "C2");
    updated.InFrequency = 1;
    SweepEdit([&] { return UpdateTZ(&updated); });
    const uint16_t ids[] = {10000, 45};
    SweepEdit([&] { return DeleteTZ(2, ids); });
}

}  // namespace
}  // namespace kelvane
