#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "Kelvane.h"
#include "catalogue/user_zone_file.h"
#include "catalogue/zone_list.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"
#include "support/zone_ids.h"

namespace kelvane::test {
namespace {
using Zones = std::vector<TZInfo>;

// Lines 17 to 38, exactly as the file has always carried them.
const std::vector<Text> kLegendAndColumns = {
    KT(";TZID -- 时区字段ID\r\n"), KT(";Offset -- 相对偏移时间(分钟)\r\n"),
    KT(";Type -- 城市反查ID用, 类型定义: 0、默认基本类型(系统, 主要为了兼容以前系统) 1、基本类型(系统) 2、用户定义类型\r\n"),
    KT(";StdMonth -- 标准时间月(开始)\r\n"), KT(";StdDay -- 标准时间第几DayOfWeek\r\n"), KT(";StdDayOfWeek --周几\r\n"),
    KT(";StdHour -- 标准时间小时\r\n"), KT(";StdOffSet -- 标准时间偏移\r\n"), KT(";DltMonth -- 标准时间月(开始)\r\n"),
    KT(";DltDay -- 标准时间第几DayOfWeek\r\n"), KT(";DltDayOfWeek --周几\r\n"), KT(";DltHour -- 标准时间小时\r\n"),
    KT(";DltOffSet -- 标准时间偏移\r\n"), KT(";X -- 坐标X\r\n"), KT(";Y -- 坐标Y\r\n"), KT(";Contact -- 缺省时区ID\r\n"),
    KT(";Detail -- 注释作用, 不使用\r\n"), KT(";\r\n"), KT(";字段中出现空格使用字符$代替\r\n"),
    KT(";") + Text(109, KT('-')) + KT("\r\n"), KT("\r\n"),
    KT(";TZID\tOffset\tType\tStdMonth\tStdDay\tStdDayOfWeek\tStdHour\tStdOffSet\tDltMonth\tDltDay\tDltDayOfWeek\tDltHour\t")
    KT("DltOffset\tX\tY\tContact\tDetail\r\n"),
};

TZInfo Zone(uint16_t id, int32_t offset, const std::string &detail, uint16_t type = 3) {
    TZInfo z{id, type, offset, 10, 5, 0, 3, 3, 5, 0, 2, 0, -60, -120, 45, 33, 0, {}};
    for (std::size_t i = 0; i < detail.size() && i < 64; ++i) z.Detail[i] = static_cast<TZChar>(detail[i]);
    return z;
}

// The file as the device's formatter wrote it, spaces in Detail as '$'.
std::vector<Text> ExpectedUserFile(const Zones &zones) {
    std::vector<Text> lines = BannerLines();
    lines.insert(lines.end(), kLegendAndColumns.begin(), kLegendAndColumns.end());
    for (const TZInfo &z : zones) {
        std::string detail;
        for (int i = 0; i < 64 && z.Detail[i] != 0; ++i) detail += z.Detail[i] == KT(' ') ? '$' : char(z.Detail[i]);
        char line[300];
        std::snprintf(line, sizeof line,
                      "%5hu\t%6ld\t%4hu\t%8hu\t%12hu\t%6hu\t%7hu\t%9ld\t%8hu\t%12hu\t%6hu\t%7hu\t%9ld\t%ld\t%ld\t%5hu\t%s\r\n",
                      z.TZID, long(z.Offset), z.Type, z.StdMonth, z.StdDay, z.StdDayOfWeek, z.StdHour,
                      long(z.StdOffSet), z.DltMonth, z.DltDay, z.DltDayOfWeek, z.DltHour, long(z.DltOffset), long(z.X),
                      long(z.Y), z.Contact, detail.c_str());
        lines.push_back(Widen(line));
    }
    return lines;
}

// System zones 33 and 45; the user file written by the engine.
void WriteZoneFiles(const DataDir &dir, Zones user) {
    dir.WriteLines("TZ_Def.ini", {ZoneText({.id = 33}), ZoneText({.id = 45})});
    if (!dir.Exists("TZ_UserDef.ini")) dir.WriteBytes("TZ_UserDef.ini", "");
    if (user.empty()) user.push_back(TZInfo{});
    ASSERT_EQ(SaveUserTZFile(HeldLock(), user.data(), static_cast<uint16_t>(user.size())), Result::Ok);
}

TEST(SaveUserTZFile, WritesTheHeaderAndOneLinePerLiveZone) {
    DataDir dir;
    TZInfo wide = Zone(10007, -480, "My home zone");
    wide.StdOffSet = INT32_MIN, wide.X = INT32_MAX, wide.Contact = 65535;
    const Zones zones = {wide, Zone(0, 60, "Deleted"), Zone(10001, 300, "tab\there\n")};
    dir.WriteBytes("TZ_UserDef.ini", "");
    ASSERT_EQ(SaveUserTZFile(HeldLock(), zones.data(), 3), Result::Ok);
    const std::vector<Text> lines = FileLines(dir, "TZ_UserDef.ini");
    EXPECT_EQ(lines, ExpectedUserFile({zones[0], Zone(10001, 300, "tab$here$")})) << "array order, not sorted";
    EXPECT_EQ(SaveUserTZFile(HeldLock(), nullptr, 1), Result::Param);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), lines);
}

TEST(AddTZ, StoresTheZoneUnderTheLowestFreeIdentifierAsType3) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    TZInfo first = Zone(7, -480, "First", 0);
    ASSERT_EQ(AddTZ(&first), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, -480, "First")}));
    EXPECT_FALSE(dir.Exists("TZ_Frequency.ini")) << "InFrequency 0 needs no frequency file";
    // Gaps are filled first; a description of 64 units without terminator is cut to 63.
    Zones user = {Zone(10001, 0, "Kept"), Zone(10003, 0, "Other")};
    WriteZoneFiles(dir, user);
    const TZInfo unterminated = Zone(1, 0, std::string(64, 'd'));
    ASSERT_EQ(AddTZ(&unterminated), TZ_OK);
    ASSERT_EQ(AddTZ(&unterminated), TZ_OK);
    user.push_back(Zone(10000, 0, std::string(63, 'd')));
    user.push_back(Zone(10002, 0, std::string(63, 'd')));
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile(user));
    for (uint16_t id = 10004; id < 10049; ++id) user.push_back(Zone(id, 0, "Zone"));
    WriteZoneFiles(dir, user);
    EXPECT_EQ(AddTZ(&first), TZ_OK) << "the 50th";
}

TEST(UserZoneEditing, RefusalsChangeNothing) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A")});
    const TZInfo blank = Zone(0, 0, ""), zero = Zone(0, 0, "Z");
    const TZInfo system = Zone(33, 0, "Z"), unknown = Zone(10005, 0, "Z");
    const std::pair<uint32_t, uint32_t> results[] = {
        {AddTZ(&blank), TZ_ERR_PARAM},     {UpdateTZ(&blank), TZ_ERR_PARAM},    {UpdateTZ(&system), TZ_ERR_STATE},
        {UpdateTZ(&unknown), TZ_ERR_STATE}, {UpdateTZ(&zero), TZ_ERR_STATE},
    };
    for (std::size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i].first, results[i].second) << i;
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, 0, "A")}));
    EXPECT_FALSE(dir.Exists("TZ_Frequency.ini"));
}

TEST(AddTZ, PutsTheZoneOnTheFrequencyListWhenAsked) {
    struct Case { bool frequencyFile; Ids before; uint32_t result; Ids after; };
    const Ids full = Range(10001, 47, {33, 45});
    const Case cases[] = {
        {true, {45, 33}, TZ_OK, {45, 33, 10000}},
        {false, {}, TZ_ERR_FILE, {9999}},      // 1001, yet the zone is added
        {true, full, TZ_ERR_LIST_FULL, full},  // 3003, the zone added, the list unchanged
    };
    for (const Case &c : cases) {
        DataDir dir;
        Zones user;
        for (uint16_t id : c.before) if (id > 10000) user.push_back(Zone(id, 0, "U"));
        WriteZoneFiles(dir, user);
        if (c.frequencyFile) WriteFrequency(dir, c.before);
        TZInfo zone = Zone(0, 0, "Mine");
        zone.InFrequency = 1;
        EXPECT_EQ(AddTZ(&zone), c.result) << c.before.size();
        user.push_back(Zone(10000, 0, "Mine"));
        EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile(user)) << c.before.size();
        EXPECT_EQ(StoredFrequency(), c.after) << c.before.size();
    }
}

TEST(UpdateTZ, ReplacesAUserZoneAndKeepsItAUserZone) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A"), Zone(10001, 60, "B")});
    WriteFrequency(dir, {10001, 33, 10001});
    TZInfo changed = Zone(10001, -330, "B changed", 0);
    changed.StdMonth = 0, changed.X = 7;
    ASSERT_EQ(UpdateTZ(&changed), TZ_OK);
    TZInfo stored = changed;
    stored.Type = 3;  // a Type 0 record must not make the zone vanish at the next rewrite
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, 0, "A"), stored}));
    EXPECT_EQ(StoredFrequency(), (Ids{33})) << "InFrequency 0 takes every occurrence off";
    changed.InFrequency = 1;
    ASSERT_EQ(UpdateTZ(&changed), TZ_OK);
    EXPECT_EQ(StoredFrequency(), (Ids{33, 10001}));
}

TEST(DeleteTZ, RemovesUserZonesAndTakesEveryGivenZoneOffTheList) {
    DataDir dir;
    WriteZoneFiles(dir, {Zone(10000, 0, "A b"), Zone(10001, 0, "B"), Zone(10002, 0, "C d e")});
    WriteFrequency(dir, {33, 10001, 45, 10000});
    const Ids ids = {10001, 33, 10009};
    ASSERT_EQ(DeleteTZ(3, ids.data()), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({Zone(10000, 0, "A b"), Zone(10002, 0, "C d e")}));
    EXPECT_EQ(StoredFrequency(), (Ids{45, 10000}));
    const Ids all = {10000, 10002};
    ASSERT_EQ(DeleteTZ(2, all.data()), TZ_OK);
    EXPECT_EQ(FileLines(dir, "TZ_UserDef.ini"), ExpectedUserFile({}));
    const auto before = dir.Snapshot();
    EXPECT_EQ(DeleteTZ(1, ids.data()), TZ_ERR_PARAM) << "no user zone left";
    EXPECT_EQ(dir.Snapshot(), before);
}

// A file written by another tool: 80 user zones, 10003 on three lines, a
// comment and a line longer than a read piece among the 30 past the 50th.
TEST(DeleteTZ, KeepsTheLinesPastTheFiftiethZoneAndRemovesEveryLineOfAnIdentifier) {
    DataDir dir;
    WriteZoneFiles(dir, {});
    const auto line = [](int id, const std::string &detail) {
        return ZoneText({.id = id, .type = 3, .detail = detail});
    };
    std::vector<Text> file = {KT("; written by hand")}, past = {KT(";  kept as it stands ")};
    for (int id = 10000; id < 10050; ++id) file.push_back(line(id == 10049 ? 10003 : id, "Z"));
    past.push_back(line(10003, "again"));
    past.push_back(line(10060, std::string(300, 'L')));
    for (int id = 10061; id < 10088; ++id) past.push_back(line(id, "Past$zone"));
    file.insert(file.end(), past.begin(), past.end());
    dir.WriteLines("TZ_UserDef.ini", file);
    WriteFrequency(dir, {33});
    for (Text &l : past) l += KT("\r\n");

    const Ids gone = {10003, 10010};
    ASSERT_EQ(DeleteTZ(2, gone.data()), TZ_OK);
    std::vector<Text> after = FileLines(dir, "TZ_UserDef.ini");
    past.erase(past.begin() + 1);
    ASSERT_GE(after.size(), past.size());
    EXPECT_EQ(std::vector<Text>(after.end() - static_cast<std::ptrdiff_t>(past.size()), after.end()), past)
        << "byte for byte at the end";
    Zones listed(TZ_MAX_ZONES);
    uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(listed.data(), &count, kSelectUserZones), Result::Ok);
    ASSERT_EQ(count, TZ_MAX_USER_ZONES);
    for (const TZInfo &zone : listed) EXPECT_TRUE(zone.TZID != 10003 && zone.TZID != 10010) << zone.TZID;
    EXPECT_EQ(listed[46].TZID, 10048);
    EXPECT_EQ(listed[47].TZID, 10060) << "the first zone past the 50th now listed";
    TZInfo zone = Zone(0, 0, "One more");
    const auto before = dir.Snapshot();
    EXPECT_EQ(AddTZ(&zone), TZ_ERR_LIST_FULL);
    EXPECT_EQ(dir.Snapshot(), before);
}

}  // namespace
}  // namespace kelvane::test
