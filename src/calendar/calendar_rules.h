// Gregorian facts shared by the calendar exports.
#pragma once

#include <cstdint>

namespace kelvane {

inline constexpr std::uint32_t kFirstCalendarYear = 1900;
inline constexpr std::uint32_t kLastCalendarYear = 2099;

constexpr bool IsLeapYear(std::uint32_t year) noexcept {
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

// Days in the month (1 to 12) of the year.
constexpr std::uint32_t MonthLength(std::uint32_t year, std::uint32_t month) noexcept {
    constexpr std::uint8_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

// Day of week (0 Sunday) by Zeller's congruence, for a valid date from 1900 on.
constexpr std::uint32_t ZellerDayOfWeek(std::uint32_t year, std::uint32_t month, std::uint32_t day) noexcept {
    std::uint32_t m = month, y = year;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const std::uint32_t c = y / 100, k = y % 100;
    // 699 (100 weeks less a day) keeps the sum positive and makes 0 Sunday.
    return (k / 4 + day + (13 * (m + 1)) / 5 - 2 * c + c / 4 + k + 699) % 7;
}

}  // namespace kelvane
