// Offsets from UTC as the tool prints them, from a bias in minutes
// (UTC = local + bias). The catalogue stores any 32-bit value, and two of
// them may add up beyond 32 bits, so biases are 64-bit here.
#pragma once

#include <cstdint>
#include <string>

namespace kelvane::tool {

// The biases a clock can show: a day either way.
inline constexpr std::int64_t kLargestShownBias = 24 * 60;
inline bool ShownBias(std::int64_t bias) { return bias >= -kLargestShownBias && bias <= kLargestShownBias; }

// "+08:00", "-03:30": the offset east of UTC, hours and minutes.
std::string UtcOffsetDigits(std::int64_t bias);
// The same, followed by " (out of range)" beyond a day.
std::string UtcOffsetText(std::int64_t bias);

}  // namespace kelvane::tool
