// The real Win32 platform: the engine's calls go to the system itself.
//
// The default platform of the Windows build. Time, time zone, interface
// language and the clock key are the system's; files go through the host
// file layer (win32_files.cpp). Desktop Windows keeps UTC when the zone
// changes, so ChangeTZ leaves its clock alone.
#pragma once

#include "platform/host_platform.h"

namespace kelvane {

class Win32Platform final : public HostFilesPlatform {
public:
    using HostFilesPlatform::HostFilesPlatform;

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
};

}  // namespace kelvane
