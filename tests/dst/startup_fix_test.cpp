#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dst/dst_world.h"

namespace kelvane {
namespace {
using test::DeviceValues;
using test::Settings;
using test::Values;
using test::World;

TEST(FixTZ, BringsTheClockValuesInLineWithTheRule) {
    struct Case {
        const char *name;
        const TZChar *settings;
        std::string device;
        uint32_t result;
        Values autoAndHomeDst;  // "7" as they were
        int settingsDlt;
    };
    // The device's UTC clock is its local clock here (no stored zone); FixTZ
    // gives it the settings' zone, keeping that UTC time.
    const std::string summer = "clock = 2024-07-01 12:00:00\n", winter = "clock = 2024-01-15 12:00:00\n";
    const Case cases[] = {
        {"switch on, inside daylight time", KT("12 1 1033 12"), summer, TZ_OK, {"1", "1"}, 1},
        {"switch on, outside daylight time", KT("12 1 1033 12"), winter, TZ_OK, {"1", "0"}, 1},
        {"switch on, zone without rule", KT("33 1 1033 12"), summer, TZ_OK, {"0", "0"}, 0},
        {"switch off", KT("12 0 1033 12"), summer, TZ_OK, {"0", "0"}, 0},
        {"switch 2 counts as off", KT("12 2 1033 12"), summer, TZ_OK, {"0", "0"}, 2},
        {"zone not in the catalogue", KT("99 1 1033 12"), summer, TZ_ERR_NOT_FOUND, {"7", "7"}, 1},
        {"zone 0", KT("0 1 1033 12"), summer, TZ_ERR_PARAM, {"7", "7"}, 1},
        {"platform state unknown", KT("12 1 1033 12"), summer + "tz_state = 0\n", TZ_ERR_STATE, {"7", "7"}, 1},
        // Without a rule the registry is best effort: the settings write decides.
        {"no rule, key missing", KT("33 1 1033 12"), summer + "clock_key = 0\n", TZ_OK, {"7", "7"}, 0},
    };
    for (const Case &c : cases) {
        World dir(c.device + "AutoDST = 7\nHomeDST = 7\n", c.settings);
        std::vector<int> settings = Settings();
        settings[1] = c.settingsDlt;
        EXPECT_EQ(FixTZ(), c.result) << c.name;
        EXPECT_EQ(DeviceValues(dir, {"AutoDST", "HomeDST"}), c.autoAndHomeDst) << c.name;
        EXPECT_EQ(Settings(), settings) << c.name;
    }
}

// A switch cut short after the platform took New York and before TZ_Set.ini
// named it leaves the settings on Central Europe: FixTZ gives the platform
// the settings' zone back, UTC kept (07:00), comparing offsets and rule, not names.
TEST(FixTZ, PutsTheSettingsZoneBackOnThePlatform) {
    const std::string newYork = "tz_bias = 300\ntz_daylight_bias = -60\ntz_standard_date = 0 11 0 1 2 0 0 0\n"
                                "tz_daylight_date = 0 3 0 2 2 0 0 0\nclock = 2024-01-15 02:00:00\n";
    const std::string central = test::kCentralDevice + "tz_standard_name = Mine\nclock = 2024-01-15 08:00:00\n";
    struct Case {
        const char *name;
        std::string device;
        const char *removed;
        uint32_t result;
        Values zone;  // tz_bias, tz_standard_name, clock
    };
    const Case cases[] = {
        {"another zone", newYork, nullptr, TZ_OK, {"-60", "CET", "2024-01-15 08:00:00"}},
        {"the zone under another name", central, nullptr, TZ_OK, {"-60", "Mine", "2024-01-15 08:00:00"}},
        {"the zone refused", newYork + "fail = set_time_zone\n", nullptr, TZ_ERR_SET_TZ,
         {"300", "-", "2024-01-15 02:00:00"}},
        {"its names unreadable", newYork, "En.ini", TZ_ERR_FILE, {"300", "-", "2024-01-15 02:00:00"}},
    };
    for (const Case &c : cases) {
        World dir(c.device);
        if (c.removed != nullptr) dir.Remove(c.removed);
        const auto before = dir.Snapshot();
        EXPECT_EQ(FixTZ(), c.result) << c.name;
        EXPECT_EQ(DeviceValues(dir, {"tz_bias", "tz_standard_name", "clock"}), c.zone) << c.name;
        if (c.result != TZ_OK) {
            EXPECT_EQ(dir.Snapshot(), before) << c.name;
        }
    }
}

TEST(GetTZDaylightTime, ReportsThePlatformsState) {
    const struct { const char *device; uint32_t result, daylight; } cases[] = {
        {"tz_state = 1\n", TZ_OK, 0},
        {"tz_state = 2\n", TZ_OK, 1},
        {"tz_state = 0xFFFFFFFF\n", TZ_OK, 1},  // any answer but standard time
        {"tz_state = 0\n", TZ_ERR_STATE, 7},
    };
    for (const auto &c : cases) {
        test::DataDir dir;
        dir.WriteDevice(c.device);
        uint32_t daylight = 7;
        EXPECT_EQ(GetTZDaylightTime(&daylight), c.result) << c.device;
        EXPECT_EQ(daylight, c.daylight) << c.device;
    }
}

}  // namespace
}  // namespace kelvane
