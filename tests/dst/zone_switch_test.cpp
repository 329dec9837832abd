#include <gtest/gtest.h>

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

TEST(ChangeTZ, SetsTheNamesAndTheSwitchFromTheNewZone) {
    struct Case { uint16_t zone; uint32_t dlt; const char *clock; Values namesAutoAndHomeDst; int settingsDlt; };
    // From Beijing at 12:00 UTC: HomeDST is the new zone's rule at that time.
    const char *summer = "2024-07-01 20:00:00";
    const Case cases[] = {
        {12, 1, summer, {"Eastern Standard Time", "Eastern Daylight Time", "1", "1"}, 1},
        // New York's daylight time begins at 07:00 UTC on 10 March 2024, judged before the clock moves.
        {12, 1, "2024-03-10 14:30:00", {"Eastern Standard Time", "Eastern Daylight Time", "1", "0"}, 1},
        {12, 0, summer, {"Eastern Standard Time", "Eastern Daylight Time", "0", "0"}, 0},
        {12, 7, summer, {"Eastern Standard Time", "Eastern Daylight Time", "1", "1"}, 1},  // any non-zero is on
        {33, 1, summer, {"China Standard Time", "China Daylight Time", "0", "0"}, 0},  // no rule: the switch goes off
        {21, 0, summer, {"Standard-name-longer-than-thirt", "B", "0", "0"}, 0},  // cut to 31
        {10000, 0, summer, {"My own zone", "My own zone", "0", "0"}, 0},  // the user file's text
        {50, 0, summer, {"", "", "0", "0"}, 0},  // named nowhere
    };
    for (const Case &c : cases) {
        World dir(std::string("tz_bias = -480\nclock = ") + c.clock + "\n", KT("33 0 2052 20"));
        ASSERT_EQ(ChangeTZ(c.zone, c.dlt), TZ_OK) << c.zone << " " << c.clock << " " << c.dlt;
        EXPECT_EQ(DeviceValues(dir, {"tz_standard_name", "tz_daylight_name", "AutoDST", "HomeDST"}),
                  c.namesAutoAndHomeDst) << c.zone << " " << c.clock << " " << c.dlt;
        EXPECT_EQ(Settings(), (std::vector<int>{c.zone, c.settingsDlt, 2052, 20})) << "language and default zone kept";
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
                    World dir(std::string("clock_keeps = ") + keeps + "\nclock = " + clock + "\n");
                    ASSERT_EQ(ChangeTZ(from, 1), TZ_OK);
                    SYSTEMTIME before{}, after{};
                    dir.Device().GetSystemTime(&before);
                    ASSERT_EQ(ChangeTZ(to, 1), TZ_OK);
                    dir.Device().GetSystemTime(&after);
                    EXPECT_EQ(CompareDateTime(&before, &after), 0)
                        << keeps << " clock " << clock << " from " << from << " to " << to << ": UTC moved to "
                        << after.wHour << ":" << after.wMinute;
                }
            }
        }
    }
}

// A user zone 10000 with the given fields.
test::Text Far(test::ZoneLine zone) {
    zone.id = 10000, zone.type = 3, zone.detail = "Far";
    return test::ZoneText(zone);
}

TEST(ChangeTZ, ChangesNothingWhenACheckFails) {
    // The device as given, after its clock; the file rewritten with the line when one is named.
    struct Case { const char *name; uint16_t zone; const char *device, *file; test::Text line; uint32_t result; };
    const char *user = "TZ_UserDef.ini";
    const std::vector<Case> cases = {
        {"platform state unknown", 33, "tz_state = 0\n", nullptr, KT(""), TZ_ERR_STATE},
        {"zone not in the catalogue", 99, "", nullptr, KT(""), TZ_ERR_NOT_FOUND},
        {"current zone not in the catalogue", 33, "", "TZ_Set.ini", KT("98 1 1033 33"), TZ_ERR_NOT_FOUND},
        {"zone listed twice", 33, "", user, test::ZoneText({.id = 33, .type = 3, .detail = "x"}), TZ_ERR_NOT_FOUND},
        // Zones no clock can apply, as AddTZ stores them.
        {"lowest offset", 10000, "", user, Far({.offset = INT32_MIN}), TZ_ERR_SET_TZ},
        {"offset beyond a day", 10000, "", user, Far({.offset = 1441}), TZ_ERR_SET_TZ},
        {"standard bias beyond a day", 10000, "", user, Far({.offset = -1440, .stdOffset = -1}), TZ_ERR_SET_TZ},
        {"daylight bias beyond a day", 10000, "", user,
         Far({.offset = 1000, .dltMonth = 3, .dltDay = 5, .dltOffset = 441}), TZ_ERR_SET_TZ},
        {"month 13", 10000, "", user, Far({.stdMonth = 13, .stdDay = 5, .dltMonth = 3, .dltDay = 5}), TZ_ERR_SET_TZ},
        {"sixth occurrence", 10000, "", user, Far({.stdMonth = 10, .stdDay = 6, .dltMonth = 3}), TZ_ERR_SET_TZ},
        {"weekday 7", 10000, "", user, Far({.stdMonth = 10, .dltMonth = 3, .dltDayOfWeek = 7}), TZ_ERR_SET_TZ},
        {"hour 24", 10000, "", user, Far({.stdMonth = 10, .stdHour = 24, .dltMonth = 3}), TZ_ERR_SET_TZ},
    };
    for (const Case &c : cases) {
        World dir(std::string("clock = 2024-01-15 12:00:00\n") + c.device);
        if (c.file != nullptr) dir.WriteLines(c.file, {c.line});
        const auto before = dir.Snapshot();
        EXPECT_EQ(ChangeTZ(c.zone, 1), c.result) << c.name;
        EXPECT_EQ(dir.Snapshot(), before) << c.name;
    }
}

// After the platform zone is set: a registry failure is reported after the
// clock has moved, and everything else stays; a failed settings write puts
// the previous zone back and changes nothing, or, when that fails too, leaves
// the new zone with UTC kept. A platform that sets zone and clock in two
// calls puts the zone back when its clock cannot be moved: 3002, nothing changed.
TEST(ChangeTZ, FailuresAfterThePlatformZoneIsSet) {
    struct Case {
        const char *name;
        bool registryFails, settingsFail, clockFails;
        uint64_t failZoneSetAt;
        uint32_t result;
        Values device;  // tz_bias, clock, AutoDST
    };
    // 07:00 UTC kept: 02:00 in New York.
    const Case cases[] = {
        {"registry", true, false, false, 0, TZ_ERR_REGISTRY, {"300", "2024-01-15 02:00:00", "-"}},
        {"settings, then putting the zone back", false, true, false, 2, TZ_ERR_WRITE,
         {"300", "2024-01-15 02:00:00", "1"}},
        {"clock of a two-call platform", false, false, true, 0, TZ_ERR_SET_TZ, {"-60", "2024-01-15 08:00:00", "1"}},
    };
    for (const Case &c : cases) {
        World dir(test::kCentralDevice + "clock = 2024-01-15 08:00:00\n" +
                  (c.registryFails ? "fail = registry_set\n" : ""));
        ASSERT_EQ(ChangeTZ(20, 1), c.registryFails ? TZ_ERR_REGISTRY : TZ_OK) << "device.ini as the device writes it";
        test::FaultyDevice device((dir.Path() / "host").string());
        device.failAt[test::kReplace] = c.settingsFail ? 1 : 0;
        device.failZoneSetAt = c.failZoneSetAt;
        device.twoSteps = device.failSetSystemTime = c.clockFails;
        testing::InstallPlatform(&device);
        const auto before = dir.Snapshot();
        EXPECT_EQ(ChangeTZ(12, 1), c.result) << c.name;
        EXPECT_EQ(DeviceValues(dir, {"tz_bias", "clock", "AutoDST"}), c.device) << c.name;
        EXPECT_EQ(dir.ReadBytes("TZ_Set.ini") == before.at("TZ_Set.ini"), c.settingsFail || c.clockFails) << c.name;
        if (c.clockFails) {
            EXPECT_EQ(dir.Snapshot(), before) << c.name;
        }
        testing::InstallPlatform(&dir.Device());
    }
}

}  // namespace
}  // namespace kelvane
