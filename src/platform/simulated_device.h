// The simulated device: the platform of every host that is not the device.
//
// Its whole state lives in device.ini beside the host executable, reread at
// every call and rewritten whole (atomically) when a call changes it, so a
// desktop run, a test or a person with a text editor can set up exactly the
// device they want: a frozen or running local clock, the stored time-zone
// information, a forced GetTimeZoneInformation answer, a missing clock key,
// or an injected failure.
//
// Like the device's real-time clock, the simulator keeps local time; UTC is
// derived from it through the stored zone's biases. Setting the zone thus
// leaves the local clock alone and moves UTC, which is why switching zones
// moves the clock afterwards. With "clock_keeps = utc" it behaves as desktop
// Windows does instead: setting the zone keeps UTC and moves the local clock.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host_platform.h"

namespace kelvane {

class DeviceConfig;

// The file that makes a data directory a simulated device (platform.cpp).
inline constexpr char kDeviceFileName[] = "device.ini";

class SimulatedDevice : public HostFilesPlatform {
public:
    // executablePath: where the host executable is taken to lie (its
    // directory holds the data files and device.ini); empty: the real one.
    explicit SimulatedDevice(std::string executablePath = std::string());

    std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept override;
    ClockKind KeptClock() noexcept override;
    void GetSystemTime(SYSTEMTIME *utc) noexcept override;
    bool SetSystemTime(const SYSTEMTIME &utc) noexcept override;
    bool SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept override;
    bool FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept override;
    std::uint32_t GetTimeZoneInformation(TimeZoneInformation *info) noexcept override;
    bool SetTimeZoneInformation(const TimeZoneInformation &info) noexcept override;
    std::uint16_t GetUserDefaultUILanguage() noexcept override;
    bool OpenClockKey(ClockKey *key) noexcept override;
    bool SetClockValue(ClockKey key, const TZChar *name, std::uint32_t value) noexcept override;
    void CloseClockKey(ClockKey key) noexcept override;

    std::string ConfigPath() const;

private:
    // The device's state; a device.ini that stands there but cannot be read
    // gives the defaults, and false through readable.
    DeviceConfig Load(bool *readable = nullptr) const;
    bool Store(const DeviceConfig &config) const;
    std::string executablePath_;
};

}  // namespace kelvane
