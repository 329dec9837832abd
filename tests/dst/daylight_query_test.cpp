// The rule's boundaries for ordinary years are checked against glibc in
// glibc_oracle_test.cpp; here the cases that oracle cannot reach.
#include "dst/daylight_query.h"

#include <gtest/gtest.h>

#include "dst/dst_world.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::ZoneLine;
using test::ZoneText;

// Standard time from the 1st Sunday of May, daylight time from the 3rd (in 2024: 5 and 19 May), both at 02:00.
const ZoneLine kSameMonth{.id = 40, .stdMonth = 5, .stdDay = 1, .stdHour = 2, .dltMonth = 5, .dltDay = 3, .dltHour = 2};

// UTC+10, daylight time from the 1st Sunday of October, 02:00, to the 1st Sunday of April, 03:00.
const ZoneLine kSouthern{.id = 70, .offset = -600, .stdMonth = 4, .stdDay = 1, .stdHour = 3, .dltMonth = 10,
                         .dltDay = 1, .dltHour = 2, .dltOffset = -60};

SYSTEMTIME At(int y, int mo, int d, int h, int mi = 0) {
    return SYSTEMTIME{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0, static_cast<uint16_t>(d),
                      static_cast<uint16_t>(h), static_cast<uint16_t>(mi), 0, 0};
}

// Zone 42 is listed in both files.
void WriteCatalogue(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {ZoneText(test::kNewYork), ZoneText(test::kBeijing), ZoneText(kSameMonth),
                                  ZoneText(kSouthern), ZoneText({.id = 42})});
    // A user line of 16 fields never counts, so zone 12 is still listed once.
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 12, .type = 3}), ZoneText({.id = 42, .type = 3, .detail = "x"})});
}

TEST(QueryTZDltStateByDate, JudgesTheHourAgainstBothChangeovers) {
    struct Case { const char *name; uint16_t zone; SYSTEMTIME moment; uint32_t state, result = TZ_OK; };
    const Case cases[] = {
        {"minutes never matter", 12, At(2024, 3, 10, 1, 59), 0},
        {"equal months: no rule at a given moment", 40, At(2024, 1, 1, 0), 0},
        {"2100: changeover days are 0, months decide", 12, At(2100, 3, 1, 0), 1},
        {"2100: in the standard month", 12, At(2100, 11, 1, 0), 0},
        {"listed in both files", 42, At(2024, 7, 1, 12), 7, TZ_ERR_NOT_FOUND},
    };
    DataDir dir;
    WriteCatalogue(dir);
    for (const Case &c : cases) {
        uint32_t state = 7;
        EXPECT_EQ(QueryTZDltStateByDate(c.zone, &c.moment, &state), c.result) << c.name;
        EXPECT_EQ(state, c.state) << c.name;
    }
}

TEST(QueryTZDltState, JudgesTheUtcTimeOnTheZonesWallClock) {
    DataDir dir;
    WriteCatalogue(dir);
    const struct { const char *device; uint16_t zone; uint32_t state; } cases[] = {
        // Local time 8 hours east of UTC: New York's daylight time begins at 07:00 UTC, not local time.
        {"tz_bias = -480\nclock = 2024-03-10 14:59:00\n", 12, 0},
        // The southern zone's daylight time begins with the hour of D (16:00 UTC the day before) and
        // ends with the hour of S (03:00 daylight time, 16:00 UTC the day before).
        {"clock = 2024-10-05 15:59:00\n", 70, 0},
        {"clock = 2024-10-05 16:00:00\n", 70, 1},
        {"clock = 2024-04-06 15:59:00\n", 70, 1},
        {"clock = 2024-04-06 16:00:00\n", 70, 0},
        // Equal months are a rule here, running over the year's end: daylight after 19 May, up to 5 May.
        {"clock = 2024-01-01 00:00:00\n", 40, 1},
        {"clock = 2024-05-10 00:00:00\n", 40, 0},
        {"clock = 2024-01-01 00:00:00\n", 33, 0},  // both months 0: no rule
    };
    for (const auto &c : cases) {
        dir.WriteDevice(c.device);
        uint32_t state = 7;
        EXPECT_EQ(QueryTZDltState(c.zone, &state), Result::Ok) << c.device;
        EXPECT_EQ(state, c.state) << c.device;
    }
    uint32_t state = 7;
    EXPECT_EQ(QueryTZDltState(0, &state), Result::Param);
    EXPECT_EQ(QueryTZDltState(12, nullptr), Result::Param);
    EXPECT_EQ(QueryTZDltState(99, &state), Result::NotFound);
}

}  // namespace
}  // namespace kelvane
