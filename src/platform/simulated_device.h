// The simulated device: the platform of every host that is not the device.
//
// Its whole state lives in device.ini beside the host executable
// (device_state.h names its keys and the failures it can inject), reread at
// every call and rewritten whole (atomically) when a call changes it, so a
// desktop run, a test or a person with a text editor can set up exactly the
// device they want: a frozen or running local clock, the stored time-zone
// information, a forced GetTimeZoneInformation answer, a missing clock key,
// or an injected failure. The clock and the zone's rule are device_clock.h;
// this file only maps the platform's calls onto them.
//
// A device.ini that stands there but cannot be read answers as a platform
// that fails: zone state unknown, no interface language, no clock key, and
// every change of state refused, so its defaults are never written over it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host_platform.h"

namespace kelvane {

struct DeviceState;

// The file that makes a data directory a simulated device (platform.cpp).
inline constexpr char kDeviceFileName[] = "device.ini";

class SimulatedDevice : public HostFilesPlatform {
public:
    // executablePath: where the host executable is taken to lie (its
    // directory holds the data files and device.ini); empty: the real one.
    explicit SimulatedDevice(const std::string &executablePath = std::string());

    ClockKind KeptClock() noexcept override;
    void GetSystemTime(SYSTEMTIME *utc) noexcept override;
    bool SetSystemTime(const SYSTEMTIME &utc) noexcept override;
    bool SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept override;
    bool FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept override;
    std::uint32_t GetTimeZoneInformation(TimeZoneInformation *info) noexcept override;
    bool SetTimeZoneInformation(const TimeZoneInformation &info) noexcept override;
    // Zone and clock in one rewrite of device.ini.
    bool ApplyTimeZone(const TimeZoneInformation &info) noexcept override;
    std::uint16_t GetUserDefaultUILanguage() noexcept override;
    bool OpenClockKey(ClockKey *key) noexcept override;
    bool SetClockValue(ClockKey key, const TZChar *name, std::uint32_t value) noexcept override;
    void CloseClockKey(ClockKey key) noexcept override;

    std::string ConfigPath() const;

private:
    // False when device.ini stands there but cannot be read.
    bool Load(DeviceState *state) noexcept;
    bool Store(const DeviceState &state) noexcept;
    // Sets the zone in one rewrite, keeping UTC when asked to or when the clock keeps UTC.
    bool StoreZone(const TimeZoneInformation &info, bool keepUtc) noexcept;
};

}  // namespace kelvane
