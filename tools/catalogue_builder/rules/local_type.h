// What a zone's clocks show at an instant, and the instants at which that
// changes. Times are seconds since 1970-01-01 00:00 UTC; offsets are seconds
// east of Greenwich, the sign the tz database uses (UTC+08:00 is +28800).
#pragma once

#include <cstdint>

#include "platform/posix_rule.h"

namespace kelvane::builder {

using kelvane::LocalType;

struct Transition {
    std::int64_t at = 0;  // the first instant of the new local time
    LocalType before, after;
};

inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kSecondsPerHour = 3600;

}  // namespace kelvane::builder
