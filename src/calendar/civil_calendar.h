// The proleptic Gregorian calendar, written once for the whole project: the
// calendar exports, the platform's file times, the simulated device's clock
// and the catalogue builder all count days and weekdays here.
//
// Days are counted from 1970-01-01 (day 0, a Thursday) over 400-year eras
// (146,097 days each, a whole number of weeks), after Howard Hinnant's
// days-from-civil algorithm: exact for every year an int64 of days can hold,
// and cheap enough for the hot paths of the rule evaluation. Weekdays are
// 0 for Sunday to 6 for Saturday, as the platform's SYSTEMTIME counts them.
// Header-only and free of the rest of the engine, so the tools include it
// as it stands.
#pragma once

#include <cstdint>

namespace kelvane {

inline constexpr std::int64_t kSecondsPerDay = 86400;

constexpr bool IsLeapYear(std::int64_t year) noexcept {
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

// Days in the month (1 to 12) of the year.
constexpr unsigned MonthLength(std::int64_t year, unsigned month) noexcept {
    constexpr unsigned char kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

constexpr std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) noexcept {
    return value / divisor - (value % divisor != 0 && (value < 0) != (divisor < 0));
}

// Days since 1970-01-01 of a date (month 1 to 12, day 1 to 31).
constexpr std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) noexcept {
    year -= month <= 2;  // the year counted from March, so the leap day comes last
    const std::int64_t era = FloorDivide(year, 400);
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDate {
    std::int64_t year = 1970;
    unsigned month = 1, day = 1;
};

constexpr CivilDate CivilFromDays(std::int64_t days) noexcept {
    days += 719468;
    const std::int64_t era = FloorDivide(days, 146097);
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    date.month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    date.year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (date.month <= 2);
    return date;
}

constexpr unsigned WeekdayFromDays(std::int64_t days) noexcept {
    return static_cast<unsigned>(((days + 4) % 7 + 7) % 7);  // day 0 was a Thursday
}

constexpr unsigned Weekday(std::int64_t year, unsigned month, unsigned day) noexcept {
    return WeekdayFromDays(DaysFromCivil(year, month, day));
}

// The day of the month of its week-th weekday (1 to 4); week 5 and every
// week the month does not reach, 0 included, give the last one, as the
// daylight-saving rules name their changeover days.
constexpr unsigned DayOfNthWeekday(std::int64_t year, unsigned month, unsigned week, unsigned weekday) noexcept {
    const unsigned first = 1 + (weekday + 7 - Weekday(year, month, 1)) % 7;
    const unsigned length = MonthLength(year, month);
    const unsigned last = first + (length - first) / 7 * 7;
    if (week == 0 || week > 5) return last;
    const unsigned day = first + 7 * (week - 1);
    return day > length ? last : day;
}

// A moment of the calendar to the second, with its weekday.
struct CivilTime {
    std::int64_t year = 1970;
    unsigned month = 1, day = 1;
    unsigned hour = 0, minute = 0, second = 0;
    unsigned weekday = 4;
};

// Seconds since 1970-01-01 00:00 of whatever clock the date belongs to.
constexpr std::int64_t SecondsFromCivil(std::int64_t year, unsigned month, unsigned day,
                                        std::int64_t secondsOfDay = 0) noexcept {
    return DaysFromCivil(year, month, day) * kSecondsPerDay + secondsOfDay;
}

constexpr CivilTime CivilFromSeconds(std::int64_t seconds) noexcept {
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const std::int64_t rest = seconds - days * kSecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    CivilTime t;
    t.year = date.year, t.month = date.month, t.day = date.day;
    t.hour = static_cast<unsigned>(rest / 3600);
    t.minute = static_cast<unsigned>(rest / 60 % 60);
    t.second = static_cast<unsigned>(rest % 60);
    t.weekday = WeekdayFromDays(days);
    return t;
}

}  // namespace kelvane
