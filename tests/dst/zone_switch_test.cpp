#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dst/dst_world.h"
#include "support/faulty_device.h"

namespace kelvane {
namespace {
using test::DeviceValues;
using test::Settings;
using test::Values;
using test::World;

// The central zone in winter, as the device holds it.
const std::string kCentralDevice =
    "tz_bias = -60\ntz_daylight_bias = -60\n"
    "tz_standard_date = 0 10 0 5 3 0 0 0\ntz_daylight_date = 0 3 0 5 2 0 0 0\n";

TEST(ChangeTZ, HandsTheZoneToTheDeviceAndKeepsTheOtherSettings) {
    World dir("clock = 2024-01-15 12:00:00\n");
    ASSERT_EQ(ChangeTZ(12, 1), TZ_OK);
    EXPECT_EQ(DeviceValues(dir, {"tz_bias", "tz_standard_bias", "tz_daylight_bias", "tz_standard_date",
                                 "tz_daylight_date", "clock"}),
              (Values{"300", "0", "-60", "0 11 0 1 2 0 0 0", "0 3 0 2 2 0 0 0", "2024-01-15 07:00:00"}));
    EXPECT_EQ(Settings(), (std::vector<int>{12, 1, 2052, 33})) << "language and default zone kept as read";
}

TEST(ChangeTZ, SetsTheNamesAndTheSwitchFromTheNewZone) {
    struct Case { uint16_t zone; uint32_t dlt; const char *clock; Values namesAutoAndHomeDst; int settingsDlt; };
    // From Beijing at 12:00 UTC: HomeDST is the new zone's rule at that time.
    const char *summer = "2024-07-01 20:00:00", *winter = "2024-01-15 20:00:00";
    const Case cases[] = {
        {12, 1, summer, {"Eastern Standard Time", "Eastern Daylight Time", "1", "1"}, 1},
        {12, 1, winter, {"Eastern Standard Time", "Eastern Daylight Time", "1", "0"}, 1},
        // New York's daylight time begins at 07:00 UTC on 10 March 2024, judged before the clock moves.
        {12, 1, "2024-03-10 14:30:00", {"Eastern Standard Time", "Eastern Daylight Time", "1", "0"}, 1},
        {12, 1, "2024-03-10 15:30:00", {"Eastern Standard Time", "Eastern Daylight Time", "1", "1"}, 1},
        {12, 0, summer, {"Eastern Standard Time", "Eastern Daylight Time", "0", "0"}, 0},
        {12, 7, summer, {"Eastern Standard Time", "Eastern Daylight Time", "1", "1"}, 1},  // any non-zero is on
        {33, 1, summer, {"China Standard Time", "China Daylight Time", "0", "0"}, 0},  // no rule: the switch goes off
        {21, 0, summer, {"Standard-name-longer-than-thirt", "B", "0", "0"}, 0},  // cut to 31
        {10000, 0, summer, {"My own zone", "My own zone", "0", "0"}, 0},  // the user file's text
        {50, 0, summer, {"", "", "0", "0"}, 0},  // named nowhere
    };
    for (const Case &c : cases) {
        World dir(std::string("tz_bias = -480\nclock = ") + c.clock + "\n");
        dir.WriteLines("TZ_Set.ini", {KT("33 0 1033 33")});
        ASSERT_EQ(ChangeTZ(c.zone, c.dlt), TZ_OK) << c.zone << " " << c.clock << " " << c.dlt;
        EXPECT_EQ(DeviceValues(dir, {"tz_standard_name", "tz_daylight_name", "AutoDST", "HomeDST"}),
                  c.namesAutoAndHomeDst) << c.zone << " " << c.clock << " " << c.dlt;
        EXPECT_EQ(Settings()[1], c.settingsDlt) << c.zone << " " << c.clock << " " << c.dlt;
    }
}

// A device that keeps local time needs its clock moved by exactly what keeps
// UTC where it was; one that keeps UTC (desktop Windows) must not be moved at
// all: every zone to every other, winter and summer, east and west, with and
// without daylight saving, on both kinds of clock.
TEST(ChangeTZ, KeepsTheDevicesUtcTime) {
    const uint16_t zones[] = {20, 33, 12, 21, 10000, 50};
    for (const char *keeps : {"local", "utc"}) {
    for (const char *clock : {"2024-01-15 12:00:00", "2024-07-01 12:00:00", "2024-03-31 01:30:00"}) {
        for (uint16_t from : zones) {
            for (uint16_t to : zones) {
                for (uint32_t dlt : {0u, 1u}) {
                    World dir(std::string("clock_keeps = ") + keeps + "\nclock = " + clock + "\n");
                    ASSERT_EQ(ChangeTZ(from, dlt), TZ_OK);
                    SYSTEMTIME before{}, after{};
                    dir.Device().GetSystemTime(&before);
                    ASSERT_EQ(ChangeTZ(to, dlt), TZ_OK);
                    dir.Device().GetSystemTime(&after);
                    EXPECT_EQ(CompareDateTime(&before, &after), 0)
                        << keeps << " clock " << clock << " from " << from << " to " << to << " dlt " << dlt
                        << ": UTC moved to " << after.wHour << ":" << after.wMinute;
                }
            }
        }
    }
    }
}

TEST(ChangeTZ, ChangesNothingWhenACheckFails) {
    // The file is removed, or rewritten when a line is given.
    struct Case {
        const char *name;
        uint16_t zone;
        std::string device;
        const char *file;
        std::basic_string<TZChar> line;
        uint32_t result;
    };
    const std::string clock = "clock = 2024-01-15 12:00:00\n";
    const std::vector<Case> cases = {
        {"zone 0", 0, clock, nullptr, KT(""), TZ_ERR_PARAM},
        {"platform state unknown", 33, clock + "tz_state = 0\n", nullptr, KT(""), TZ_ERR_STATE},
        {"settings missing", 33, clock, "TZ_Set.ini", KT(""), TZ_ERR_FILE},
        {"zone not in the catalogue", 99, clock, nullptr, KT(""), TZ_ERR_NOT_FOUND},
        {"current zone not in the catalogue", 33, clock, "TZ_Set.ini", KT("98 1 1033 33"), TZ_ERR_NOT_FOUND},
        {"zone listed twice", 33, clock, "TZ_UserDef.ini", test::ZoneText({.id = 33, .type = 3, .detail = "again"}),
         TZ_ERR_NOT_FOUND},
        {"system catalogue missing", 10000, clock, "TZ_Def.ini", KT(""), TZ_ERR_FILE},
        {"no interface language", 33, clock + "ui_language = 0\n", nullptr, KT(""), TZ_ERR_NO_LANGUAGE},
        {"description file missing", 33, clock, "En.ini", KT(""), TZ_ERR_FILE},
        {"platform refuses the zone", 33, clock + "fail = set_time_zone\n", nullptr, KT(""), TZ_ERR_SET_TZ},
    };
    for (const Case &c : cases) {
        World dir(c.device);
        if (c.file != nullptr && c.line.empty()) dir.Remove(c.file);
        if (c.file != nullptr && !c.line.empty()) dir.WriteLines(c.file, {c.line});
        const auto before = dir.Snapshot();
        EXPECT_EQ(ChangeTZ(c.zone, 1), c.result) << c.name;
        EXPECT_EQ(dir.Snapshot(), before) << c.name;
    }
}

// Once the platform zone is set nothing is undone. A registry failure is
// reported after the clock has moved; a failed settings write stops before.
TEST(ChangeTZ, FailuresAfterThePlatformZoneIsSet) {
    for (const bool registryFails : {true, false}) {
        World dir(kCentralDevice + "clock = 2024-01-15 08:00:00\n" + (registryFails ? "fail = registry_set\n" : ""));
        test::FaultyDevice device((dir.Path() / "host").string());
        device.failReplace = !registryFails;
        testing::InstallPlatform(&device);
        const std::string settingsBefore = dir.ReadBytes("TZ_Set.ini");
        EXPECT_EQ(ChangeTZ(12, 1), registryFails ? TZ_ERR_REGISTRY : TZ_ERR_WRITE);
        // 07:00 UTC kept: 02:00 in New York.
        EXPECT_EQ(DeviceValues(dir, {"tz_bias", "clock", "AutoDST"}),
                  (Values{"300", registryFails ? "2024-01-15 02:00:00" : "2024-01-15 08:00:00", "-"}));
        EXPECT_EQ(dir.ReadBytes("TZ_Set.ini") == settingsBefore, !registryFails);
        testing::InstallPlatform(&dir.Device());
    }
}

// Every operation that reads the catalogue, with each allocation failing in turn.
TEST(DaylightSaving, AllocationFailureIsReportedAndChangesNothing) {
    const SYSTEMTIME summer{2024, 7, 0, 1, 12, 0, 0, 0};
    uint32_t state = 7;
    const struct { const TZChar *settings; std::function<uint32_t()> operation; } cases[] = {
        {KT("20 1 1033 33"), [&] { return QueryTZDltStateByDate(12, &summer, &state); }},
        {KT("20 1 1033 33"), [] { return ChangeTZ(12, 1); }},
        {KT("12 1 1033 12"), [] { return FixTZ(); }},  // the registry values set
        {KT("33 1 1033 12"), [] { return FixTZ(); }},  // the switch turned off
        {KT("12 0 1033 12"), [] { return FixTZ(); }},  // the registry values cleared
    };
    for (const auto &c : cases) {
        World dir(kCentralDevice + "clock = 2024-01-15 08:00:00\n");
        dir.WriteLines("TZ_Set.ini", {c.settings});
        const auto before = dir.Snapshot();
        int failures = 0;
        state = 7;
        test::SweepAllocationFailures(c.operation, [&](uint32_t result, uint64_t n) {
            ++failures;
            EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER) << "allocation " << n << ": " << result;
            EXPECT_EQ(dir.Snapshot(), before) << "allocation " << n;
            EXPECT_EQ(state, 7u) << "allocation " << n;
        });
        EXPECT_GT(failures, 3);
        EXPECT_EQ(c.operation(), TZ_OK) << "with memory enough";
    }
}

}  // namespace
}  // namespace kelvane
