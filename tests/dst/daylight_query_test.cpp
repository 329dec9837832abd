#include "dst/daylight_query.h"

#include <gtest/gtest.h>

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

// Daylight time from the second Sunday of March, 02:00, to the first Sunday
// of November, 02:00 (in 2024: 10 March and 3 November).
const ZoneLine kNorthern{.id = 12, .offset = 300, .stdMonth = 11, .stdDay = 1, .stdDayOfWeek = 0, .stdHour = 2,
                         .dltMonth = 3, .dltDay = 2, .dltDayOfWeek = 0, .dltHour = 2, .dltOffset = -60};
// Daylight time from the first Sunday of October, 02:00, to the first Sunday
// of April, 03:00 (in 2024: 6 October and 7 April).
const ZoneLine kSouthern{.id = 70, .offset = -600, .stdMonth = 4, .stdDay = 1, .stdDayOfWeek = 0, .stdHour = 3,
                         .dltMonth = 10, .dltDay = 1, .dltDayOfWeek = 0, .dltHour = 2, .dltOffset = -60};
const ZoneLine kNoRule{.id = 33, .offset = -480};
// Both changeovers in May: standard time from the 1st Sunday at 02:00, daylight
// time from the 3rd Sunday at 02:00 (in 2024: 5 and 19 May).
const ZoneLine kSameMonth{.id = 40, .stdMonth = 5, .stdDay = 1, .stdHour = 2, .dltMonth = 5, .dltDay = 3,
                          .dltHour = 2};
const ZoneLine kUserZone{.id = 10000, .offset = -60, .type = 3, .stdMonth = 10, .stdDay = 5, .stdHour = 3,
                         .dltMonth = 3, .dltDay = 5, .dltHour = 2, .dltOffset = -60, .detail = "Mine"};

SYSTEMTIME At(int y, int mo, int d, int h, int mi = 0) {
    return SYSTEMTIME{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0, static_cast<uint16_t>(d),
                      static_cast<uint16_t>(h), static_cast<uint16_t>(mi), 0, 0};
}

void WriteCatalogue(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {ZoneText(kNorthern), ZoneText(kSouthern), ZoneText(kNoRule), ZoneText(kSameMonth)});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(kUserZone)});
}

TEST(QueryTZDltStateByDate, JudgesTheHourAgainstBothChangeovers) {
    struct Case {
        const char *name;
        uint16_t zone;
        SYSTEMTIME moment;
        uint32_t state;
    };
    const Case cases[] = {
        {"north: an hour before daylight time", 12, At(2024, 3, 10, 1), 0},
        {"north: minutes never matter", 12, At(2024, 3, 10, 1, 59), 0},
        {"north: the daylight-start hour is daylight", 12, At(2024, 3, 10, 2), 1},
        {"north: summer", 12, At(2024, 7, 1, 12), 1},
        {"north: the hour before standard time", 12, At(2024, 11, 3, 1, 59), 1},
        {"north: the standard-start hour is standard", 12, At(2024, 11, 3, 2), 0},
        {"north: winter", 12, At(2024, 1, 1, 0), 0},
        {"north: the rule's days move with the year", 12, At(2025, 3, 9, 2), 1},
        {"north: a week earlier in 2025 is still standard", 12, At(2025, 3, 2, 2), 0},
        {"south: the daylight-start hour is standard", 70, At(2024, 10, 6, 2), 0},
        {"south: the hour after it is daylight", 70, At(2024, 10, 6, 3), 1},
        {"south: the standard-start hour is daylight", 70, At(2024, 4, 7, 3), 1},
        {"south: the hour after it is standard", 70, At(2024, 4, 7, 4), 0},
        {"south: 1 January", 70, At(2024, 1, 1, 0), 1},
        {"south: winter", 70, At(2024, 7, 1, 12), 0},
        {"no rule", 33, At(2024, 7, 1, 12), 0},
        {"equal months: no rule at a given moment", 40, At(2024, 5, 10, 12), 0},
        {"user zone, last Sundays of March and October", 10000, At(2024, 3, 31, 2), 1},
        {"user zone before the last Sunday", 10000, At(2024, 3, 30, 23), 0},
        {"2100: changeover days are 0, months decide", 12, At(2100, 3, 1, 0), 1},
        {"2100: before the daylight month", 12, At(2100, 2, 28, 23), 0},
        {"2100: in the standard month", 12, At(2100, 11, 1, 0), 0},
        {"1899 likewise", 70, At(1899, 10, 1, 0), 1},
    };
    DataDir dir;
    WriteCatalogue(dir);
    for (const Case &c : cases) {
        uint32_t state = 7;
        EXPECT_EQ(QueryTZDltStateByDate(c.zone, &c.moment, &state), TZ_OK) << c.name;
        EXPECT_EQ(state, c.state) << c.name;
    }
}

TEST(QueryTZDltStateByDate, NeedsTheZoneOnExactlyOneLine) {
    struct Case {
        const char *name;
        std::vector<Text> system, user;
        bool userFile;
        uint32_t result;
    };
    const ZoneLine user12{.id = 12, .type = 3, .detail = "x"};
    const ZoneLine user12Short{.id = 12, .type = 3};
    const std::vector<Case> cases = {
        {"listed once", {ZoneText(kNorthern)}, {}, true, TZ_OK},
        {"listed in both files", {ZoneText(kNorthern)}, {ZoneText(user12)}, true, TZ_ERR_NOT_FOUND},
        {"listed twice in one file", {ZoneText(kNorthern), ZoneText(kNorthern)}, {}, true, TZ_ERR_NOT_FOUND},
        {"a 16-field user line does not count", {ZoneText(kNorthern)}, {ZoneText(user12Short)}, true, TZ_OK},
        {"a comment does not count", {ZoneText(kNorthern), u";" + ZoneText(kNorthern)}, {}, true, TZ_OK},
        {"not listed", {ZoneText(kNoRule)}, {}, true, TZ_ERR_NOT_FOUND},
        {"user file missing", {ZoneText(kNorthern)}, {}, false, TZ_ERR_FILE},
    };
    const SYSTEMTIME summer = At(2024, 7, 1, 12);
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("TZ_Def.ini", c.system);
        if (c.userFile) dir.WriteLines("TZ_UserDef.ini", c.user);
        uint32_t state = 7;
        EXPECT_EQ(QueryTZDltStateByDate(12, &summer, &state), c.result) << c.name;
        EXPECT_EQ(state, c.result == TZ_OK ? 1u : 7u) << c.name;
    }
    DataDir dir;
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(kUserZone)});
    uint32_t state = 7;
    EXPECT_EQ(QueryTZDltStateByDate(10000, &summer, &state), TZ_ERR_FILE) << "TZ_Def.ini missing";
    EXPECT_EQ(QueryTZDltStateByDate(0, &summer, &state), TZ_ERR_PARAM);
    EXPECT_EQ(QueryTZDltStateByDate(12, nullptr, &state), TZ_ERR_PARAM);
    EXPECT_EQ(QueryTZDltStateByDate(12, &summer, nullptr), TZ_ERR_PARAM);
    EXPECT_EQ(state, 7u);
}

// Counts the clock readings of the simulated device.
class CountingDevice : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;
    int clockReads = 0;
    void GetSystemTime(SYSTEMTIME *utc) noexcept override {
        ++clockReads;
        SimulatedDevice::GetSystemTime(utc);
    }
};

TEST(QueryTZDltState, JudgesTheUtcTimeOnTheZonesWallClock) {
    DataDir dir;
    WriteCatalogue(dir);
    CountingDevice device((dir.Path() / "host").string());
    testing::InstallPlatform(&device);
    struct Case {
        const char *device;
        uint16_t zone;
        uint32_t state;
    };
    // The device's zone is 8 hours east of UTC; the rule is judged on the
    // zone's own wall clock: New York's changes are at 07:00 and 06:00 UTC,
    // the southern zone's (whose daylight time begins after the hour of D) at 17:00 UTC the day before.
    const Case cases[] = {
        {"tz_bias = -480\nclock = 2024-03-10 14:59:00\n", 12, 0},
        {"tz_bias = -480\nclock = 2024-03-10 15:00:00\n", 12, 1},
        {"tz_bias = -480\nclock = 2024-11-03 13:59:00\n", 12, 1},
        {"tz_bias = -480\nclock = 2024-11-03 14:00:00\n", 12, 0},
        {"clock = 2024-10-05 16:59:00\n", 70, 0},
        {"clock = 2024-10-05 17:00:00\n", 70, 1},
        // Equal months are a rule here, read as running over the year's end: daylight after 19 May, up to 5 May.
        {"clock = 2024-01-01 00:00:00\n", 40, 1},
        {"clock = 2024-05-10 00:00:00\n", 40, 0},
    };
    for (const Case &c : cases) {
        dir.WriteDevice(c.device);
        uint32_t state = 7;
        EXPECT_EQ(QueryTZDltState(c.zone, &state), Result::Ok) << c.device;
        EXPECT_EQ(state, c.state) << c.device;
    }
    device.clockReads = 0;
    uint32_t state = 7;
    EXPECT_EQ(QueryTZDltState(33, &state), Result::Ok);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(device.clockReads, 0) << "a zone without rule does not read the clock";
    EXPECT_EQ(QueryTZDltState(0, &state), Result::Param);
    EXPECT_EQ(QueryTZDltState(12, nullptr), Result::Param);
    EXPECT_EQ(QueryTZDltState(99, &state), Result::NotFound);
    testing::InstallPlatform(&dir.Device());
}

TEST(QueryTZDltStateByDate, AllocationFailureIsReportedAndReleased) {
    DataDir dir;
    WriteCatalogue(dir);
    const SYSTEMTIME summer = At(2024, 7, 1, 12);
    uint32_t state = 7;
    ASSERT_EQ(QueryTZDltStateByDate(12, &summer, &state), TZ_OK);
    state = 7;
    int failures = 0;
    SweepAllocationFailures([&] { return QueryTZDltStateByDate(12, &summer, &state); },
                            [&](uint32_t result, uint64_t n) {
                                ++failures;
                                EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER)
                                    << "allocation " << n << " gave " << result;
                                EXPECT_EQ(state, 7u) << "allocation " << n;
                            });
    EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace kelvane
