// A platform zone record written as a TZif file the C library reads.
//
// The file is version 2 with one transition, at the tz database's beginning
// of time (-2^59), and the record's POSIX TZ rule as its footer: the C
// library ignores the footer of a file without transitions and applies it
// after the last one, so this way the rule governs every instant.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace kelvane {

inline constexpr std::size_t kRuleTextBytes = 96;
inline constexpr std::size_t kZoneFileBytes = 512;

// The record's POSIX TZ rule, e.g. "<+01>-1<+02>-2,M3.5.0/2,M10.5.0/3":
// standard offset Bias + StandardBias, daylight offset Bias + DaylightBias
// always written out (POSIX's default of one hour would be wrong for half an
// hour of daylight saving), the daylight start in local standard time, the
// standard start in local daylight time, occurrence 5 the last; numeric
// abbreviations. A rule with a month 0 has no daylight time. The length
// written, 0 when the record holds a value no rule can express (an offset
// beyond 24 hours, a month, occurrence, weekday, hour or minute out of range).
std::size_t FormatPosixRule(const TimeZoneInformation &info, char (&text)[kRuleTextBytes]) noexcept;

// The whole file; its length, 0 when the record cannot be expressed.
std::size_t BuildZoneFile(const TimeZoneInformation &info, unsigned char (&bytes)[kZoneFileBytes]) noexcept;

}  // namespace kelvane
