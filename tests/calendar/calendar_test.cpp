// The calendar exports against std::chrono's civil calendar, for every date
// the engine's calendar accepts, and the examples a device relies on.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <iterator>
#include <tuple>

#include "Kelvane.h"

namespace {
using namespace std::chrono;

TZDate Date(int y, unsigned m, unsigned d) {
    return TZDate{static_cast<uint16_t>(y), static_cast<uint8_t>(m), static_cast<uint8_t>(d)};
}

TEST(Calendar, AgreesWithChronoOnEveryDayAndWeekRuleFrom1900To2099) {
    for (int y = 1900; y <= 2099; ++y) {
        for (unsigned m = 1; m <= 12; ++m) {
            const year_month ym{year{y}, month{m}};
            const TZDate first = Date(y, m, 1);
            ASSERT_EQ(GetDayNumOfMonth(&first), static_cast<unsigned>((ym / last).day())) << y << "-" << m;
            for (unsigned d = 1; d <= 31; ++d) {
                const TZDate date = Date(y, m, d);
                const year_month_day ymd = ym / day{d};
                ASSERT_EQ(IsDateValid(&date), ymd.ok() ? 1u : 0u) << y << "-" << m << "-" << d;
                const uint32_t expected = ymd.ok() ? weekday{sys_days{ymd}}.c_encoding() : 0xFFFFFFFFu;
                ASSERT_EQ(GetDayOfWeek(&date), expected) << y << "-" << m << "-" << d;
            }
            // Weeks 0 and 5 both name the month's last such weekday.
            for (unsigned wd = 0; wd <= 6; ++wd) {
                for (unsigned week = 0; week <= 5; ++week) {
                    const sys_days rule =
                        week == 0 || week == 5 ? sys_days{ym / weekday{wd}[last]} : sys_days{ym / weekday{wd}[week]};
                    ASSERT_EQ(GetDateFromWeekInfo(static_cast<uint16_t>(y), static_cast<uint16_t>(m),
                                                  static_cast<uint16_t>(week), static_cast<uint16_t>(wd)),
                              static_cast<unsigned>(year_month_day{rule}.day()))
                        << y << "-" << m << " week " << week << " weekday " << wd;
                }
            }
        }
    }
}

TEST(Calendar, DatesOutsideTheCheckedYearsAndImpossibleFields) {
    // The month's length needs a year from 1900 on and a day up to 31 only; the other checks want 1900 to 2099.
    const std::pair<TZDate, uint32_t> lengths[] = {{Date(2100, 2, 1), 28}, {Date(3000, 1, 15), 31},
                                                   {Date(2024, 4, 31), 30}, {Date(2024, 13, 1), 0},
                                                   {Date(2024, 1, 0), 0},   {Date(1899, 12, 31), 0}};
    for (const auto &[date, length] : lengths) {
        EXPECT_EQ(GetDayNumOfMonth(&date), length) << date.year << "-" << +date.month << "-" << +date.day;
        EXPECT_EQ(IsDateValid(&date), 0u) << date.year << "-" << +date.month << "-" << +date.day;
        EXPECT_EQ(GetDayOfWeek(&date), 0xFFFFFFFFu) << date.year << "-" << +date.month << "-" << +date.day;
    }
    // The weeks 0 to 5 and weekdays 0 to 6 of 1900 to 2099 are checked against std::chrono above.
    const uint16_t weekRules[][4] = {{2024, 3, 6, 0}, {2024, 0, 1, 0}, {2024, 13, 1, 0},
                                     {2024, 3, 1, 7}, {1899, 3, 1, 0}, {2100, 3, 1, 0}};
    for (const auto &r : weekRules) EXPECT_EQ(GetDateFromWeekInfo(r[0], r[1], r[2], r[3]), 0) << r[0] << "-" << r[1];
}

SYSTEMTIME Time(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    return SYSTEMTIME{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0, static_cast<uint16_t>(d),
                      static_cast<uint16_t>(h), static_cast<uint16_t>(mi), static_cast<uint16_t>(s),
                      static_cast<uint16_t>(ms)};
}

TEST(Calendar, CalcDateTimeAgreesWithChrono) {
    const int32_t steps[] = {-3600, 1, -1, 86399, -86400 * 366, 2147483647, -2147483647 - 1, 59};
    const SYSTEMTIME starts[] = {Time(2024, 1, 1, 0, 30), Time(1999, 12, 31, 23, 59, 59, 250),
                                 Time(2000, 2, 28, 12, 0), Time(1700, 3, 1, 0, 0), Time(9999, 12, 31, 23, 59, 59)};
    for (const SYSTEMTIME &start : starts) {
        for (int32_t step : steps) {
            SYSTEMTIME t = start;
            ASSERT_EQ(CalcDateTime(&t, step), 1u);
            const sys_seconds expected = sys_days{year{start.wYear} / start.wMonth / start.wDay} + hours{start.wHour} +
                                         minutes{start.wMinute} + seconds{start.wSecond} + seconds{step};
            const sys_days expectedDay = floor<days>(expected);
            const year_month_day ymd{expectedDay};
            const hh_mm_ss hms{expected - expectedDay};
            SYSTEMTIME want = Time(int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()), hms.hours().count(),
                                   hms.minutes().count(), hms.seconds().count(), start.wMilliseconds);
            want.wDayOfWeek = static_cast<uint16_t>(weekday{expectedDay}.c_encoding());
            EXPECT_EQ(std::memcmp(&t, &want, sizeof t), 0) << start.wYear << " + " << step << " gave " << t.wYear
                                                            << "-" << t.wMonth << "-" << t.wDay << " " << t.wHour;
        }
    }
}

TEST(Calendar, CalcDateTimeLeavesUnrepresentableTimesAlone) {
    const SYSTEMTIME cases[] = {Time(1601, 1, 1, 0, 0, 30), Time(30827, 12, 31, 23, 59, 59), Time(2024, 2, 30, 0, 0),
                                Time(2024, 13, 1, 0, 0), Time(1600, 12, 31, 0, 0), Time(2024, 1, 1, 24, 0)};
    const int32_t steps[] = {-60, 60, 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SYSTEMTIME t = cases[i];
        EXPECT_EQ(CalcDateTime(&t, steps[i]), 0u) << i;
        EXPECT_EQ(std::memcmp(&t, &cases[i], sizeof t), 0) << i;
    }
}

TEST(Calendar, CompareDateTimeIsToTheMinute) {
    const SYSTEMTIME a = Time(2024, 5, 1, 10, 20, 59), b = Time(2024, 5, 1, 10, 20, 0), c = Time(2024, 5, 1, 10, 21),
                     d = Time(2024, 5, 2, 0, 0), e = Time(2024, 5, 1, 23, 59), yearless = Time(0, 3, 31, 2, 0),
                     yearless2 = Time(0, 10, 27, 3, 0);
    const std::tuple<const SYSTEMTIME *, const SYSTEMTIME *, int> cases[] = {
        {&a, &b, 0}, {&a, &c, -1}, {&d, &e, 1}, {&yearless, &yearless2, -1}, {nullptr, nullptr, 0}, {nullptr, &a, -1},
        {&a, nullptr, 1}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto &[first, second, expected] = cases[i];
        EXPECT_EQ(CompareDateTime(first, second), expected) << i;
    }
}

TEST(Calendar, PackingRoundTrips) {
    SYSTEMTIME t = Time(2024, 3, 31, 2, 5, 44, 999);
    t.wDayOfWeek = 0;
    uint32_t date = 0;
    uint16_t time = 0;
    ASSERT_EQ(TimeConvert_SYSTEMTIME_To_DWORD(&t, &date, &time), 1u);
    EXPECT_EQ(date, 0x07E8031Fu);
    EXPECT_EQ(time, 0x0205);
    SYSTEMTIME back{};
    back.wDayOfWeek = 4;
    ASSERT_EQ(TimeConvert_DWORD_To_SYSTEMTIME(&date, &time, &back), 1u);
    // Seconds and milliseconds are not packed; the day of week is left as it was.
    EXPECT_EQ(std::tuple(back.wYear, back.wMonth, back.wDay, back.wHour, back.wMinute, back.wSecond, back.wMilliseconds,
                         back.wDayOfWeek),
              std::tuple(2024, 3, 31, 2, 5, 0, 0, 4));
    ASSERT_EQ(TimeConvert_DWORD_To_SYSTEMTIME(&date, nullptr, &back), 1u);
    EXPECT_EQ(back.wHour, 0);
    EXPECT_EQ(TimeConvert_SYSTEMTIME_To_DWORD(&t, &date, nullptr), 1u);
    // Packing is a bitwise OR: an hour above 255 keeps only its low byte.
    SYSTEMTIME odd = Time(2024, 1, 1, 0x1FF, 3);
    ASSERT_EQ(TimeConvert_SYSTEMTIME_To_DWORD(&odd, &date, &time), 1u);
    EXPECT_EQ(time, 0xFF03);
}

}  // namespace
