#include "rules/civil_time.h"

#include "platform/file_time.h"
#include "rules/local_type.h"

namespace kelvane::builder {
namespace {
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
}  // namespace

std::int64_t SecondsFromCivil(std::int64_t year, unsigned month, unsigned day, std::int64_t secondsOfDay) {
    return DaysFromCivil(year, month, day) * kSecondsPerDay + secondsOfDay;
}

CivilTime CivilFromSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const std::int64_t rest = seconds - days * kSecondsPerDay;
    CivilTime t;
    CivilFromDays(days, &t.year, &t.month, &t.day);
    t.hour = static_cast<unsigned>(rest / 3600);
    t.minute = static_cast<unsigned>(rest / 60 % 60);
    t.second = static_cast<unsigned>(rest % 60);
    t.weekday = static_cast<unsigned>(((days + 4) % 7 + 7) % 7);
    return t;
}

bool IsLeapYear(std::int64_t year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

unsigned DaysInMonth(std::int64_t year, unsigned month) {
    static constexpr unsigned kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

unsigned Weekday(std::int64_t year, unsigned month, unsigned day) {
    return CivilFromSeconds(SecondsFromCivil(year, month, day)).weekday;
}

unsigned NthWeekday(std::int64_t year, unsigned month, unsigned week, unsigned weekday) {
    const unsigned first = 1 + (weekday + 7 - Weekday(year, month, 1)) % 7;
    unsigned day = first + 7 * (week - 1);
    while (day > DaysInMonth(year, month)) day -= 7;
    return day;
}

}  // namespace kelvane::builder
