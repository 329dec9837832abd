// One instant of change as the catalogue's n-th weekday and whole hour.
#include "rules/changeover.h"

#include <gtest/gtest.h>

#include "rules/civil_time.h"

namespace kelvane::builder {
namespace {

TEST(EncodeChangeover, NamesTheWeekdayOfTheMonthAndTheHour) {
    struct Case {
        unsigned month, day, hour, minute;
        bool forward;
        Changeover expected;
        bool exact;
    };
    const Case cases[] = {
        {3, 29, 2, 0, true, {3, 5, 0, 2}, true},     // last Sunday (of five)
        {3, 22, 2, 0, true, {3, 4, 0, 2}, true},     // fourth, not the last
        {2, 22, 2, 0, true, {2, 5, 0, 2}, true},     // fourth and last: the last
        {3, 1, 0, 0, false, {3, 1, 0, 0}, true},     // first Sunday at midnight
        {10, 28, 1, 0, false, {10, 5, 3, 1}, true},  // a Wednesday
        {9, 27, 2, 45, true, {9, 5, 0, 3}, false},   // clocks jump: rounded up
        {4, 5, 3, 45, false, {4, 1, 0, 3}, false},   // clocks fall back: rounded down
        {3, 28, 23, 30, true, {3, 5, 0, 0}, false},  // rounding up crosses midnight into Sunday 29
    };
    for (const Case &c : cases) {
        const auto encoded = EncodeChangeover(SecondsFromCivil(2026, c.month, c.day, c.hour * 3600 + c.minute * 60),
                                              c.forward);
        EXPECT_EQ(encoded.changeover, c.expected) << c.month << "-" << c.day;
        EXPECT_EQ(encoded.exact, c.exact) << c.month << "-" << c.day;
    }
}

TEST(DescribeChangeover, SaysItInWords) {
    EXPECT_EQ(DescribeChangeover({3, 5, 0, 2}), "last Sunday of March at 02:00");
    EXPECT_EQ(DescribeChangeover({10, 1, 6, 23}), "first Saturday of October at 23:00");
    EXPECT_EQ(DescribeChangeover({}), "no changeover");
}

TEST(CivilTime, CountsDaysAndWeekdaysAcrossTheEpoch) {
    EXPECT_EQ(SecondsFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(CivilFromSeconds(-1).year, 1969);
    EXPECT_EQ(CivilFromSeconds(-1).hour, 23u);
    EXPECT_EQ(CivilFromSeconds(-86400).weekday, 3u);  // 31 December 1969, a Wednesday
    EXPECT_EQ(Weekday(2000, 1, 1), 6u);
    EXPECT_EQ(NthWeekday(2026, 3, 5, 0), 29u);
    EXPECT_EQ(NthWeekday(2026, 2, 5, 0), 22u);
    EXPECT_EQ(DaysInMonth(2024, 2), 29u);
    EXPECT_EQ(DaysInMonth(2100, 2), 28u);
}

}  // namespace
}  // namespace kelvane::builder
