// Civil time and the platform's file time (100-nanosecond ticks since
// 1601-01-01 00:00), converted the way the platform does: a field out of
// range, or a time outside 1601 to 30827, cannot be converted.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

inline constexpr std::uint64_t kTicksPerSecond = 10'000'000;

bool CivilToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept;
bool FileTimeToCivil(std::uint64_t ticks, SYSTEMTIME *time) noexcept;

}  // namespace kelvane
