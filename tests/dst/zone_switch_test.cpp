#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dst/dst_world.h"
#include "support/faulty_device.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::DeviceValue;
using test::FaultyDevice;
using test::Settings;
using test::SweepAllocationFailures;
using test::WriteWorld;

// The central zone in winter, as the device holds it.
const std::string kCentralDevice =
    "tz_bias = -60\ntz_daylight_bias = -60\n"
    "tz_standard_date = 0 10 0 5 3 0 0 0\ntz_daylight_date = 0 3 0 5 2 0 0 0\n";

TEST(ChangeTZ, HandsTheZoneToTheDeviceAndMovesTheClock) {
    DataDir dir;
    WriteWorld(dir);
    dir.WriteDevice(kCentralDevice + "clock = 2024-01-15 08:00:00\n");
    ASSERT_EQ(ChangeTZ(33, 1), TZ_OK);
    EXPECT_EQ(DeviceValue(dir, "tz_bias"), "-480");
    EXPECT_EQ(DeviceValue(dir, "tz_standard_bias"), "0");
    EXPECT_EQ(DeviceValue(dir, "tz_daylight_bias"), "0");
    EXPECT_EQ(DeviceValue(dir, "tz_standard_name"), "China Standard Time");
    EXPECT_EQ(DeviceValue(dir, "tz_daylight_name"), "China Daylight Time");
    EXPECT_EQ(DeviceValue(dir, "tz_standard_date"), "0 0 0 0 0 0 0 0");
    EXPECT_EQ(DeviceValue(dir, "tz_daylight_date"), "0 0 0 0 0 0 0 0");
    // 07:00 UTC before and after: the local clock now shows Beijing time.
    EXPECT_EQ(DeviceValue(dir, "clock"), "2024-01-15 15:00:00");
    // A zone without daylight saving cannot keep the switch on.
    EXPECT_EQ(DeviceValue(dir, "AutoDST"), "0");
    EXPECT_EQ(DeviceValue(dir, "HomeDST"), "0");
    const TZSetting s = Settings();
    EXPECT_EQ(s.TZID, 33);
    EXPECT_EQ(s.DLT, 0);
    EXPECT_EQ(s.LangID, 2052) << "kept as read";
    EXPECT_EQ(s.DefaultTZ, 33) << "kept as read";
}

TEST(ChangeTZ, SetsTheRuleAndTheDaylightValues) {
    struct Case {
        const char *name;
        const char *clock;
        uint32_t dlt;
        const char *autoDst, *homeDst;
        uint16_t settingsDlt;
        const char *clockAfter;
    };
    // From Beijing to New York at 12:00 UTC. HomeDST is the new zone's rule at
    // that UTC time; the clock then shows New York time, daylight time in July
    // as the device applies it.
    const Case cases[] = {
        {"summer, switch on", "2024-07-01 20:00:00", 1, "1", "1", 1, "2024-07-01 08:00:00"},
        {"winter, switch on", "2024-01-15 20:00:00", 1, "1", "0", 1, "2024-01-15 07:00:00"},
        {"summer, switch off", "2024-07-01 20:00:00", 0, "0", "0", 0, "2024-07-01 08:00:00"},
        {"any non-zero switch is on", "2024-07-01 20:00:00", 7, "1", "1", 1, "2024-07-01 08:00:00"},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteLines("TZ_Set.ini", {u"33 0 1033 33"});
        dir.WriteDevice(std::string("tz_bias = -480\nclock = ") + c.clock + "\n");
        ASSERT_EQ(ChangeTZ(12, c.dlt), TZ_OK) << c.name;
        EXPECT_EQ(DeviceValue(dir, "tz_bias"), "300") << c.name;
        EXPECT_EQ(DeviceValue(dir, "tz_daylight_bias"), "-60") << c.name;
        EXPECT_EQ(DeviceValue(dir, "tz_standard_date"), "0 11 0 1 2 0 0 0") << c.name;
        EXPECT_EQ(DeviceValue(dir, "tz_daylight_date"), "0 3 0 2 2 0 0 0") << c.name;
        EXPECT_EQ(DeviceValue(dir, "tz_daylight_name"), "Eastern Daylight Time") << c.name;
        EXPECT_EQ(DeviceValue(dir, "AutoDST"), c.autoDst) << c.name;
        EXPECT_EQ(DeviceValue(dir, "HomeDST"), c.homeDst) << c.name;
        EXPECT_EQ(DeviceValue(dir, "clock"), c.clockAfter) << c.name;
        EXPECT_EQ(Settings().TZID, 12) << c.name;
        EXPECT_EQ(Settings().DLT, c.settingsDlt) << c.name;
    }
}

SYSTEMTIME DeviceUtc(DataDir &dir) {
    SYSTEMTIME utc{};
    dir.Device().GetSystemTime(&utc);
    return utc;
}

// The device keeps local time, so switching zones must move its clock by
// exactly what keeps UTC where it was: from every zone to every other, in
// winter and summer, east and west, with and without daylight saving.
TEST(ChangeTZ, KeepsTheDevicesUtcTime) {
    const uint16_t zones[] = {20, 33, 12, 21, 10000, 50};
    const char *const clocks[] = {"2024-01-15 12:00:00", "2024-07-01 12:00:00", "2024-03-31 01:30:00"};
    for (const char *clock : clocks) {
        for (uint16_t from : zones) {
            for (uint16_t to : zones) {
                for (uint32_t dlt : {0u, 1u}) {
                    DataDir dir;
                    WriteWorld(dir);
                    dir.WriteDevice(std::string("clock = ") + clock + "\n");
                    ASSERT_EQ(ChangeTZ(from, dlt), TZ_OK);
                    const SYSTEMTIME before = DeviceUtc(dir);
                    ASSERT_EQ(ChangeTZ(to, dlt), TZ_OK);
                    const SYSTEMTIME after = DeviceUtc(dir);
                    EXPECT_EQ(CompareDateTime(&before, &after), 0)
                        << clock << " from " << from << " to " << to << " dlt " << dlt << ": UTC moved to "
                        << after.wHour << ":" << after.wMinute;
                }
            }
        }
    }
}

TEST(ChangeTZ, NamesComeFromTheUserFileOrTheLanguageFileCutTo31) {
    struct Case {
        uint16_t zone;
        const char *standardName, *daylightName;
    };
    const Case cases[] = {
        {21, "Standard-name-longer-than-thirt", "B"},
        {10000, "My own zone", "My own zone"},
        {50, "", ""},  // no line names the zone: empty names
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteDevice("clock = 2024-01-15 12:00:00\ntz_standard_name = old\ntz_daylight_name = old\n");
        ASSERT_EQ(ChangeTZ(c.zone, 0), TZ_OK) << c.zone;
        EXPECT_EQ(DeviceValue(dir, "tz_standard_name"), c.standardName) << c.zone;
        EXPECT_EQ(DeviceValue(dir, "tz_daylight_name"), c.daylightName) << c.zone;
    }
}

TEST(ChangeTZ, ChangesNothingWhenACheckFails) {
    struct Case {
        const char *name;
        uint16_t zone;
        std::string device;
        std::vector<std::string> removed;
        std::vector<std::pair<std::string, std::u16string>> rewritten;
        uint32_t result;
    };
    const std::string clock = "clock = 2024-01-15 12:00:00\n";
    const std::vector<Case> cases = {
        {"zone 0", 0, clock, {}, {}, TZ_ERR_PARAM},
        {"platform state unknown", 33, clock + "tz_state = 0\n", {}, {}, TZ_ERR_STATE},
        {"settings missing", 33, clock, {"TZ_Set.ini"}, {}, TZ_ERR_FILE},
        {"settings without a record", 33, clock, {}, {{"TZ_Set.ini", u";none"}}, TZ_ERR_NOT_FOUND},
        {"zone not in the catalogue", 99, clock, {}, {}, TZ_ERR_NOT_FOUND},
        {"current zone not in the catalogue", 33, clock, {}, {{"TZ_Set.ini", u"98 1 1033 33"}}, TZ_ERR_NOT_FOUND},
        {"zone listed twice", 33, clock, {},
         {{"TZ_UserDef.ini", test::ZoneText(test::ZoneLine{.id = 33, .type = 3, .detail = "again"})}},
         TZ_ERR_NOT_FOUND},
        {"user catalogue missing", 33, clock, {"TZ_UserDef.ini"}, {}, TZ_ERR_FILE},
        {"system catalogue missing", 10000, clock, {"TZ_Def.ini"}, {}, TZ_ERR_FILE},
        {"language table missing", 33, clock, {"Lang_Def.ini"}, {}, TZ_ERR_FILE},
        {"no interface language", 33, clock + "ui_language = 0\n", {}, {}, TZ_ERR_NO_LANGUAGE},
        {"interface language not listed", 33, clock + "ui_language = 2052\n", {}, {}, TZ_ERR_NOT_FOUND},
        {"description file missing", 33, clock, {"En.ini"}, {}, TZ_ERR_FILE},
        {"platform refuses the zone", 33, clock + "fail = set_time_zone\n", {}, {}, TZ_ERR_SET_TZ},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteDevice(c.device);
        for (const auto &name : c.removed) dir.Remove(name);
        for (const auto &[name, line] : c.rewritten) dir.WriteLines(name, {line});
        const auto before = dir.Snapshot();
        EXPECT_EQ(ChangeTZ(c.zone, 1), c.result) << c.name;
        EXPECT_EQ(dir.Snapshot(), before) << c.name;
    }
}

TEST(ChangeTZ, RegistryFailureComesLastAndTheClockStillMoves) {
    for (const char *failure : {"clock_key = 0\n", "fail = registry_set\n"}) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteDevice(kCentralDevice + "clock = 2024-01-15 08:00:00\n" + failure);
        EXPECT_EQ(ChangeTZ(12, 1), TZ_ERR_REGISTRY) << failure;
        EXPECT_EQ(DeviceValue(dir, "tz_bias"), "300") << failure;
        EXPECT_EQ(Settings().TZID, 12) << failure;
        EXPECT_EQ(DeviceValue(dir, "clock"), "2024-01-15 02:00:00") << failure;  // 07:00 UTC kept: 02:00 in New York
        EXPECT_FALSE(DeviceValue(dir, "AutoDST")) << failure;
        EXPECT_FALSE(DeviceValue(dir, "HomeDST")) << failure;
    }
}

TEST(ChangeTZ, SettingsWriteFailureLeavesOnlyThePlatformZoneChanged) {
    DataDir dir;
    WriteWorld(dir);
    dir.WriteDevice(kCentralDevice + "clock = 2024-01-15 08:00:00\n");
    FaultyDevice device((dir.Path() / "host").string());
    device.failReplace = true;
    testing::InstallPlatform(&device);
    const std::string settingsBefore = dir.ReadBytes("TZ_Set.ini");
    EXPECT_EQ(ChangeTZ(33, 1), TZ_ERR_WRITE);
    EXPECT_EQ(DeviceValue(dir, "tz_bias"), "-480");
    EXPECT_EQ(dir.ReadBytes("TZ_Set.ini"), settingsBefore);
    EXPECT_FALSE(DeviceValue(dir, "AutoDST"));
    EXPECT_EQ(DeviceValue(dir, "clock"), "2024-01-15 08:00:00") << "the clock is not moved";
    testing::InstallPlatform(&dir.Device());
}

TEST(ChangeTZ, AllocationFailureChangesNothing) {
    DataDir dir;
    WriteWorld(dir);
    dir.WriteDevice(kCentralDevice + "clock = 2024-01-15 08:00:00\n");
    const auto before = dir.Snapshot();
    int failures = 0;
    SweepAllocationFailures([&] { return ChangeTZ(12, 1); },
                            [&](uint32_t result, uint64_t n) {
                                ++failures;
                                EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER)
                                    << "allocation " << n << " gave " << result;
                                EXPECT_EQ(dir.Snapshot(), before) << "allocation " << n;
                            });
    EXPECT_GT(failures, 5);
    EXPECT_EQ(Settings().TZID, 12) << "the last run, with memory enough, switched";
}

}  // namespace
}  // namespace kelvane
