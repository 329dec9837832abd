#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dst/clock_registry.h"
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

TEST(FixTZ, BringsTheClockValuesInLineWithTheRule) {
    struct Case {
        const char *name;
        const char16_t *settings;
        std::string device;
        uint32_t result;
        const char *autoDst, *homeDst;
        uint16_t settingsDlt;
    };
    // The device's UTC clock is its local clock here (no stored zone).
    const std::vector<Case> cases = {
        {"switch on, inside daylight time", u"12 1 1033 12", "clock = 2024-07-01 12:00:00\n", TZ_OK, "1", "1", 1},
        {"switch on, outside daylight time", u"12 1 1033 12", "clock = 2024-01-15 12:00:00\n", TZ_OK, "1", "0", 1},
        {"rule judged at the UTC hour", u"12 1 1033 12", "clock = 2024-03-10 01:59:00\n", TZ_OK, "1", "0", 1},
        {"switch on, zone without rule", u"33 1 1033 12", "clock = 2024-07-01 12:00:00\n", TZ_OK, "0", "0", 0},
        {"switch off", u"12 0 1033 12", "clock = 2024-07-01 12:00:00\n", TZ_OK, "0", "0", 0},
        {"switch 2 counts as off", u"12 2 1033 12", "clock = 2024-07-01 12:00:00\n", TZ_OK, "0", "0", 2},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteLines("TZ_Set.ini", {c.settings});
        dir.WriteDevice(c.device + "AutoDST = 7\nHomeDST = 7\n");
        EXPECT_EQ(FixTZ(), c.result) << c.name;
        EXPECT_EQ(DeviceValue(dir, "AutoDST"), c.autoDst) << c.name;
        EXPECT_EQ(DeviceValue(dir, "HomeDST"), c.homeDst) << c.name;
        const TZSetting s = Settings();
        EXPECT_EQ(s.DLT, c.settingsDlt) << c.name;
        EXPECT_EQ(s.LangID, 1033) << c.name;
        EXPECT_EQ(s.DefaultTZ, 12) << c.name;
    }
}

TEST(FixTZ, ReportsFailuresAndChangesNothingBeforeCorrecting) {
    struct Case {
        const char *name;
        const char16_t *settings;
        std::string device;
        const char *removed;
        uint32_t result;
    };
    const std::vector<Case> cases = {
        {"settings missing", u"12 1 1033 12", "", "TZ_Set.ini", TZ_ERR_FILE},
        {"zone not in the catalogue", u"99 1 1033 12", "", nullptr, TZ_ERR_NOT_FOUND},
        {"zone 0", u"0 1 1033 12", "", nullptr, TZ_ERR_PARAM},
        {"platform state unknown", u"12 1 1033 12", "tz_state = 0\n", nullptr, TZ_ERR_STATE},
        {"user catalogue missing", u"12 1 1033 12", "", "TZ_UserDef.ini", TZ_ERR_FILE},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteLines("TZ_Set.ini", {c.settings});
        dir.WriteDevice("clock = 2024-07-01 12:00:00\n" + c.device);
        if (c.removed != nullptr) dir.Remove(c.removed);
        const auto before = dir.Snapshot();
        EXPECT_EQ(FixTZ(), c.result) << c.name;
        EXPECT_EQ(dir.Snapshot(), before) << c.name;
    }
}

TEST(FixTZ, RegistryFailures) {
    DataDir dir;
    WriteWorld(dir);
    dir.WriteLines("TZ_Set.ini", {u"12 0 1033 12"});
    dir.WriteDevice("clock = 2024-07-01 12:00:00\nclock_key = 0\n");
    EXPECT_EQ(FixTZ(), TZ_ERR_REGISTRY) << "switch off, key missing";
    dir.WriteLines("TZ_Set.ini", {u"12 1 1033 12"});
    dir.WriteDevice("clock = 2024-07-01 12:00:00\nfail = registry_set\n");
    EXPECT_EQ(FixTZ(), TZ_ERR_REGISTRY) << "switch on, value refused";
    // Without a rule the registry is best effort: the settings write decides.
    dir.WriteLines("TZ_Set.ini", {u"33 1 1033 12"});
    dir.WriteDevice("clock = 2024-07-01 12:00:00\nclock_key = 0\n");
    EXPECT_EQ(FixTZ(), TZ_OK);
    EXPECT_EQ(Settings().DLT, 0);
    EXPECT_FALSE(DeviceValue(dir, "AutoDST"));
}

TEST(FixTZ, TheSettingsWriteDecidesForAZoneWithoutRule) {
    DataDir dir;
    WriteWorld(dir);
    dir.WriteLines("TZ_Set.ini", {u"33 1 1033 12"});
    dir.WriteDevice("clock = 2024-07-01 12:00:00\nAutoDST = 1\nHomeDST = 1\n");
    FaultyDevice device((dir.Path() / "host").string());
    device.failOpenForWriting = true;
    testing::InstallPlatform(&device);
    const std::string settingsBefore = dir.ReadBytes("TZ_Set.ini");
    EXPECT_EQ(FixTZ(), TZ_ERR_FILE);
    EXPECT_EQ(dir.ReadBytes("TZ_Set.ini"), settingsBefore);
    EXPECT_EQ(DeviceValue(dir, "AutoDST"), "0") << "the registry values are cleared all the same";
    EXPECT_EQ(DeviceValue(dir, "HomeDST"), "0");
    testing::InstallPlatform(&dir.Device());
}

TEST(FixTZ, AllocationFailureIsReportedAndChangesNothing) {
    for (const char16_t *settings : {u"12 1 1033 12", u"33 1 1033 12", u"12 0 1033 12"}) {
        DataDir dir;
        WriteWorld(dir);
        dir.WriteLines("TZ_Set.ini", {settings});
        dir.WriteDevice("clock = 2024-07-01 12:00:00\n");
        const auto before = dir.Snapshot();
        int failures = 0;
        SweepAllocationFailures([&] { return FixTZ(); },
                                [&](uint32_t result, uint64_t n) {
                                    ++failures;
                                    EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER)
                                        << "allocation " << n << " gave " << result;
                                    EXPECT_EQ(dir.Snapshot(), before) << "allocation " << n;
                                });
        EXPECT_GT(failures, 3);
    }
}

TEST(GetTZDaylightTime, ReportsThePlatformsState) {
    struct Case {
        const char *device;
        uint32_t result, daylight;
    };
    const Case cases[] = {
        {"tz_state = 1\n", TZ_OK, 0},
        {"tz_state = 2\n", TZ_OK, 1},
        {"tz_state = 0xFFFFFFFF\n", TZ_OK, 1},
        {"tz_state = 5\n", TZ_OK, 1},
        {"tz_state = 0\n", TZ_ERR_STATE, 7},
        // Computed: Central Europe's rule on the device's local clock.
        {"tz_bias = -60\ntz_daylight_bias = -60\ntz_standard_date = 0 10 0 5 3 0 0 0\n"
         "tz_daylight_date = 0 3 0 5 2 0 0 0\nclock = 2024-07-01 12:00:00\n",
         TZ_OK, 1},
        {"clock = 2024-07-01 12:00:00\n", TZ_OK, 0},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteDevice(c.device);
        uint32_t daylight = 7;
        EXPECT_EQ(GetTZDaylightTime(&daylight), c.result) << c.device;
        EXPECT_EQ(daylight, c.daylight) << c.device;
    }
    EXPECT_EQ(GetTZDaylightTime(nullptr), TZ_ERR_PARAM);
}

TEST(SetClockDST, SetsBothValuesOrReportsTheRegistry) {
    DataDir dir;
    dir.WriteDevice("");
    EXPECT_EQ(SetClockDST(7, 0), Result::Ok);
    EXPECT_EQ(DeviceValue(dir, "AutoDST"), "1");
    EXPECT_EQ(DeviceValue(dir, "HomeDST"), "0");
    EXPECT_EQ(SetClockDST(0, 0xFFFFFFFF), Result::Ok);
    EXPECT_EQ(DeviceValue(dir, "AutoDST"), "0");
    EXPECT_EQ(DeviceValue(dir, "HomeDST"), "1");
    dir.WriteDevice("clock_key = 0\n");
    EXPECT_EQ(SetClockDST(1, 1), Result::Registry);
    dir.WriteDevice("fail = registry_set\n");
    EXPECT_EQ(SetClockDST(1, 1), Result::Registry);
    EXPECT_FALSE(DeviceValue(dir, "AutoDST"));
}

}  // namespace
}  // namespace kelvane
