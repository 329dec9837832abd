// Civil dates and times of the proleptic Gregorian calendar, counted in
// seconds since 1970-01-01 00:00 of whatever clock they belong to.
#pragma once

#include <cstdint>

namespace kelvane::builder {

struct CivilTime {
    std::int64_t year = 1970;
    unsigned month = 1, day = 1;  // 1-based
    unsigned hour = 0, minute = 0, second = 0;
    unsigned weekday = 4;  // 0 Sunday; 1970-01-01 was a Thursday
};

std::int64_t SecondsFromCivil(std::int64_t year, unsigned month, unsigned day, std::int64_t secondsOfDay = 0);
CivilTime CivilFromSeconds(std::int64_t seconds);

bool IsLeapYear(std::int64_t year);
unsigned DaysInMonth(std::int64_t year, unsigned month);
// 0 Sunday to 6 Saturday.
unsigned Weekday(std::int64_t year, unsigned month, unsigned day);
// The day of month of the week-th weekday (1 to 4), or of the last one (5).
unsigned NthWeekday(std::int64_t year, unsigned month, unsigned week, unsigned weekday);

}  // namespace kelvane::builder
