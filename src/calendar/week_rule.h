// The day of the n-th weekday of a month, as the daylight-saving rules name
// their changeover days.
#pragma once

#include <cstdint>

namespace kelvane {

// Weeks 1 to 4 give that occurrence; week 5 (and 0, which never matches the
// count) gives the last one. 0 for a year outside 1900 to 2099, a month
// outside 1 to 12, a week above 5 or a weekday above 6.
std::uint16_t NthWeekdayOfMonth(std::uint16_t year, std::uint16_t month, std::uint16_t week,
                                std::uint16_t dayOfWeek) noexcept;

}  // namespace kelvane
