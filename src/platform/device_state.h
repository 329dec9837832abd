// The simulated device's state, read from device.ini and written back.
//
// device.ini holds one "key = value" a line (device_config.h). This file is
// the only one that knows its keys: it reads them into a typed state and
// turns each change of state into the lines it rewrites, so a person's notes
// and unknown keys survive. The file is read and replaced through the
// platform's own file operations, so every read and write of it is a file
// operation like any other (a test that fails them in turn reaches it too).
//
// Keys: ui_language (default 1033; 0: none), clock ("YYYY-MM-DD hh:mm:ss":
// the local clock, frozen), clock_offset (seconds from the host's UTC to a
// running local clock), clock_keeps ("local", or "utc" as desktop Windows),
// tz_bias, tz_standard_bias, tz_daylight_bias (minutes), tz_standard_name,
// tz_daylight_name (UTF-8), tz_standard_date, tz_daylight_date (eight
// numbers: year month dayofweek day hour minute second ms), tz_state (forces
// the GetTimeZoneInformation answer), clock_key (0: the clock key does not
// exist), AutoDST and HomeDST (the clock key's values), and fail: a comma
// list of injected failures, "set_time_zone" (the platform refuses every new
// zone) and "registry_set" (every clock value is refused).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/device_config.h"
#include "platform/platform.h"

namespace kelvane {

// A larger device.ini is unreadable: nothing a device holds needs more, and
// a huge file must not cost every call its size in time and memory.
inline constexpr std::size_t kDeviceFileLimit = 64 * 1024;

struct DeviceState {
    std::uint16_t uiLanguage = 1033;
    std::optional<std::int64_t> frozenClock;  // the local clock in seconds since 1970, when frozen
    std::int64_t clockOffset = 0;             // a running clock: seconds from the host's UTC to local time
    ClockKind keeps = ClockKind::LocalTime;
    TimeZoneInformation zone{};
    std::optional<std::uint32_t> forcedZoneState;
    bool clockKeyExists = true;
    bool failSetTimeZone = false, failRegistrySet = false;
    DeviceConfig lines;  // the file as read, changed by the setters below
};

// A missing file gives the defaults. False when something stands at the path
// that cannot be read whole: a read error, not a regular file, or larger than
// kDeviceFileLimit; the state is then the defaults, never to be written back.
bool ReadDeviceState(Platform &files, const TZChar *path, DeviceState *state) noexcept;
// Replaces the file in one step: the old state or the new one, never a mix.
bool WriteDeviceState(Platform &files, const TZChar *path, const DeviceState &state) noexcept;

// Changes of state, each into the typed field and the line it rewrites.
void SetInterfaceLanguage(DeviceState &state, std::uint16_t language);
void SetClockKeyExists(DeviceState &state, bool exists);
void SetZone(DeviceState &state, const TimeZoneInformation &zone);
// The local clock: the frozen one, or the running one's offset from hostUtc.
void SetLocalClock(DeviceState &state, std::int64_t local, std::int64_t hostUtc);
void SetRegistryValue(DeviceState &state, const std::string &name, std::uint32_t value);

}  // namespace kelvane
