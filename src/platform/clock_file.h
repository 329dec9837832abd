// clock.ini: the clock settings AutoDST and HomeDST where no registry key
// holds them (Linux, and desktop Windows, which lacks the device's clock
// key). A small UTF-8 "key = value" file in the data directory, read and
// rewritten like device.ini: other lines are kept. Like the key, it is never
// created: a data directory without it has no clock settings.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace kelvane {

inline constexpr char kClockFileName[] = "clock.ini";

// Whether the platform's data directory holds a clock.ini that can be read.
bool ClockFileExists(HostFilesPlatform &platform) noexcept;

// Sets "name = value" in clock.ini and replaces it atomically (the caller
// holds the data directory's lock); false when it is missing, unreadable or
// cannot be rewritten.
bool SetClockFileValue(HostFilesPlatform &platform, const TZChar *name, std::uint32_t value) noexcept;

}  // namespace kelvane
