// The simulated device as device.ini describes it: clock kept as local time,
// UTC derived through the stored zone, unknown keys kept. Its injected
// failures are checked by the tests that use them.
#include "platform/simulated_device.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;

SYSTEMTIME Time(int y, int mo, int d, int h, int mi, int s = 0) {
    return SYSTEMTIME{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0, static_cast<uint16_t>(d),
                      static_cast<uint16_t>(h), static_cast<uint16_t>(mi), static_cast<uint16_t>(s), 0};
}

constexpr const char *kEasternZone =
    "tz_bias = 300\ntz_standard_bias = 0\ntz_daylight_bias = -60\n"
    "tz_standard_date = 0 11 0 1 2 0 0 0\ntz_daylight_date = 0 3 0 2 2 0 0 0\n";
// Daylight from the first Sunday of October to the first Sunday of April.
constexpr const char *kSydneyZone =
    "tz_bias = -600\ntz_daylight_bias = -60\n"
    "tz_standard_date = 0 4 0 1 3 0 0 0\ntz_daylight_date = 0 10 0 1 2 0 0 0\n";

// Each clock gives the zone's state and the UTC time; setting that UTC time
// gives the clock back, save in the skipped hour (back: the hour before it).
// Values are read as the C library reads them (strtoll, strtoull for 0x,
// scanf's %u for the dates); a value out of range or unreadable counts as absent.
TEST(SimulatedDevice, ReadsValuesAsWritten) {
    struct Case {
        const char *lines;
        int32_t bias;
        uint16_t month, dayOfWeek;  // of the standard date
        const TZChar *name;
    };
    const Case cases[] = {
        {"tz_bias = -90\ntz_standard_date = 0 10 0 5 3 0 0 0", -90, 10, 0, KT("")},
        {"tz_bias = +45\ntz_standard_date = 0\t10 6 5 3 0 0 0 trailing", 45, 10, 6, KT("")},
        {"tz_bias = 0x1E\ntz_standard_date = 0 10 -1 5 3 0 0 0", 30, 10, 65535, KT("")},
        {"tz_bias = 0002147483647\ntz_standard_date = 0 65546 0 5 3 0 0 0", 2147483647, 10, 0, KT("")},
        {"tz_standard_date = 0 10 0 5 3 0 0", 0, 0, 0, KT("")},
        {"tz_bias = 2147483648\ntz_standard_date = 0 1 99999999999999999999999 5 3 0 0 0", 0, 1, 65535, KT("")},
        {"tz_bias = 12x\ntz_standard_date = 0 x 0 5 3 0 0 0", 0, 0, 0, KT("")},
        {"tz_bias = -9223372036854775809\ntz_standard_date = 0 +2 0 5 3 0 0 0", 0, 2, 0, KT("")},
        {"tz_standard_name = Zo\xC3\xAB" "e \xE2\x82\xAC\xF0\x9F\x95\x90\xFF", 0, 0, 0,
         KT("Zo\u00EBe \u20AC\U0001F550\uFFFD")},
        {"tz_standard_name = 1234567890123456789012345678901234", 0, 0, 0, KT("1234567890123456789012345678901")},
        {"tz_standard_name = 123456789012345678901234567890\xF0\x9F\x95\x90", 0, 0, 0,
         KT("123456789012345678901234567890\xD83D")},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteDevice(std::string(c.lines) + "\n");
        TimeZoneInformation info{};
        dir.Device().GetTimeZoneInformation(&info);
        EXPECT_EQ(info.Bias, c.bias) << c.lines;
        EXPECT_EQ(info.StandardDate.wMonth, c.month) << c.lines;
        EXPECT_EQ(info.StandardDate.wDayOfWeek, c.dayOfWeek) << c.lines;
        EXPECT_EQ(test::Text(info.StandardName), c.name) << c.lines;
    }
}

TEST(SimulatedDevice, DerivesUtcFromTheLocalClockAndTheZoneAndBack) {
    struct Case {
        const char *zone, *clock;
        uint32_t state;
        SYSTEMTIME utc;
        const char *back = nullptr;
    };
    const Case cases[] = {
        {kEasternZone, "2024-01-15 08:00:00", 1, Time(2024, 1, 15, 13, 0)},
        {kEasternZone, "2024-07-04 12:30:15", 2, Time(2024, 7, 4, 16, 30, 15)},
        {kEasternZone, "2024-03-10 01:59:00", 1, Time(2024, 3, 10, 6, 59)},
        {kEasternZone, "2024-03-10 02:00:00", 2, Time(2024, 3, 10, 6, 0), "2024-03-10 01:00:00"},
        {kEasternZone, "2024-03-10 03:30:00", 2, Time(2024, 3, 10, 7, 30)},
        {kEasternZone, "2024-11-03 01:59:00", 2, Time(2024, 11, 3, 5, 59)},  // in daylight time
        {kEasternZone, "2024-11-03 02:00:00", 1, Time(2024, 11, 3, 7, 0)},
        {kSydneyZone, "2024-01-10 12:00:00", 2, Time(2024, 1, 10, 1, 0)},
        {kSydneyZone, "2024-06-10 12:00:00", 1, Time(2024, 6, 10, 2, 0)},
        {"tz_bias = -480\n", "2024-06-10 12:00:00", 1, Time(2024, 6, 10, 4, 0)},  // no rule
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteDevice(std::string(c.zone) + "clock = " + c.clock + "\n");
        TimeZoneInformation info{};
        EXPECT_EQ(dir.Device().GetTimeZoneInformation(&info), c.state) << c.clock;
        SYSTEMTIME utc{};
        dir.Device().GetSystemTime(&utc);
        EXPECT_EQ(std::tuple(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond),
                  std::tuple(c.utc.wYear, c.utc.wMonth, c.utc.wDay, c.utc.wHour, c.utc.wMinute, c.utc.wSecond))
            << c.clock;
        ASSERT_TRUE(dir.Device().SetSystemTime(c.utc));
        const std::string back = std::string("clock = ") + (c.back != nullptr ? c.back : c.clock) + "\n";
        EXPECT_NE(dir.ReadBytes("device.ini").find(back), std::string::npos) << back;
    }
    // 01:30 again, in standard time: the repeated hour's second pass.
    DataDir dir;
    dir.WriteDevice(std::string(kEasternZone) + "clock = 2024-01-01 00:00:00\n");
    ASSERT_TRUE(dir.Device().SetSystemTime(Time(2024, 11, 3, 6, 30)));
    EXPECT_NE(dir.ReadBytes("device.ini").find("clock = 2024-11-03 01:30:00\n"), std::string::npos);
}

TEST(SimulatedDevice, SettingTheZoneMovesUtcNotTheLocalClock) {
    DataDir dir;
    dir.WriteDevice("# my test device\ncolour = blue\nclock = 2024-01-15 08:00:00\n");
    TimeZoneInformation info{.Bias = -480};  // no rule
    const std::basic_string<TZChar> name = KT("China Standard Time");
    std::copy(name.begin(), name.end(), info.StandardName);
    ASSERT_TRUE(dir.Device().SetTimeZoneInformation(info));
    SYSTEMTIME utc{};
    dir.Device().GetSystemTime(&utc);
    EXPECT_EQ(std::tuple(utc.wDay, utc.wHour), std::tuple(15, 0));
    TimeZoneInformation back{};
    dir.Device().GetTimeZoneInformation(&back);
    EXPECT_EQ(std::tuple(std::basic_string<TZChar>(back.StandardName), back.Bias), std::tuple(name, -480));
    const std::string text = dir.ReadBytes("device.ini");
    EXPECT_NE(text.find("# my test device\ncolour = blue\nclock = 2024-01-15 08:00:00\n"), std::string::npos);
    EXPECT_NE(text.find("tz_standard_name = China Standard Time\n"), std::string::npos);
}

TEST(SimulatedDevice, RunningClockKeepsItsOffset) {
    DataDir dir;
    dir.WriteDevice("clock_offset = 3600\n");
    SYSTEMTIME before{};
    dir.Device().GetSystemTime(&before);
    ASSERT_TRUE(dir.Device().SetSystemTime(before));
    const std::string text = dir.ReadBytes("device.ini");
    EXPECT_EQ(text.find("clock ="), std::string::npos) << "a running clock stays running";
    EXPECT_NE(text.find("clock_offset = "), std::string::npos);
}

}  // namespace
}  // namespace kelvane
