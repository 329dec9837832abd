// The simulated device's clock and its zone's rule, in seconds since 1970.
//
// Like the device's real-time clock, the simulator keeps local time; UTC is
// derived from it through the stored zone: its bias, plus the daylight bias
// while the zone's rule says daylight time, else the standard bias. The
// rule is the platform's: daylight time from the DaylightDate transition to
// the StandardDate one, each the given occurrence (5: the last) of a weekday
// in a month at a local hour and minute, every year (or one date, when its
// year is set); a zone without both months is always in standard time.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "platform/device_state.h"

namespace kelvane {

std::int64_t HostUtcSeconds() noexcept;

std::int64_t LocalClock(const DeviceState &state, std::int64_t hostUtc) noexcept;

// What GetTimeZoneInformation answers at a local time: the forced answer,
// or daylight (2) or standard time (1) by the stored zone's rule.
std::uint32_t ZoneStateAt(const DeviceState &state, std::int64_t local) noexcept;

// Minutes from local time to UTC in a state of the zone.
std::int64_t BiasIn(const TimeZoneInformation &zone, std::uint32_t zoneState) noexcept;

std::int64_t UtcClock(const DeviceState &state, std::int64_t hostUtc) noexcept;

// The local time the stored zone gives a UTC time, found as the platform
// finds it: daylight time when the local time would be daylight time read
// either way, so the skipped hour of spring and the repeated hour of autumn
// come out right.
std::int64_t LocalTimeOf(const DeviceState &state, std::int64_t utc) noexcept;

SYSTEMTIME SystemTimeOf(std::int64_t seconds) noexcept;
std::int64_t SecondsOf(const SYSTEMTIME &time) noexcept;

}  // namespace kelvane
