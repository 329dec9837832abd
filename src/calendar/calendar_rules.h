// The years the calendar exports accept; the calendar itself is civil_calendar.h.
#pragma once

#include <cstdint>

#include "calendar/civil_calendar.h"

namespace kelvane {

inline constexpr std::uint32_t kFirstCalendarYear = 1900;
inline constexpr std::uint32_t kLastCalendarYear = 2099;

}  // namespace kelvane
