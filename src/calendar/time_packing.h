// Packing a time into a 32-bit date (year, month, day) and a 16-bit time
// (hour, minute), by bitwise OR of the shifted fields, and comparing two
// times to the minute through that packing.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

std::uint32_t PackDate(const SYSTEMTIME &t) noexcept;
std::uint16_t PackTime(const SYSTEMTIME &t) noexcept;

// The packed fields back into a time; no time of day (hourMinute absent) is
// midnight. Seconds and milliseconds become 0, the weekday stays as it was.
void UnpackTime(std::uint32_t date, const std::uint16_t *hourMinute, SYSTEMTIME &time) noexcept;

// 1, 0 or -1 as a is later than, equal to or earlier than b, to the minute.
std::int32_t CompareTimes(const SYSTEMTIME &a, const SYSTEMTIME &b) noexcept;

// The order of two values as CompareTimes gives it.
template <typename T>
constexpr std::int32_t Order(T a, T b) noexcept {
    return a > b ? 1 : (a < b ? -1 : 0);
}

}  // namespace kelvane
