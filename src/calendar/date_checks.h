// Days in a month, date validity and day of week of a calendar date.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// The month's length, or 0 for a year before 1900, a month outside 1 to 12
// or a day outside 1 to 31.
std::uint32_t DaysInMonthOf(const TZDate &date) noexcept;

// A date from 1900 to 2099 whose day the month has.
bool IsValidDate(const TZDate &date) noexcept;

// 0 Sunday to 6 Saturday; 0xFFFFFFFF for an invalid date.
std::uint32_t DayOfWeekOf(const TZDate &date) noexcept;

}  // namespace kelvane
