// The real system of a Linux (POSIX) host: the engine's calls go to it.
//
// Time is the kernel's clock (clock_gettime, clock_settime), which keeps
// UTC: setting the zone leaves it alone, so ChangeTZ does not move it. The
// system zone is a TZif file, /etc/localtime unless KELVANE_ZONE_FILE names
// another (devices whose /etc is read-only point /etc/localtime at a
// writable file and name that file); it is read as the C library reads it
// and written as a file whose POSIX TZ rule is the zone record's. The
// interface language is the locale's; AutoDST and HomeDST live in clock.ini
// in the data directory. Files go through the host file layer.
#pragma once

#include <string>

#include "platform/host_platform.h"

namespace kelvane {

inline constexpr char kDefaultZoneFile[] = "/etc/localtime";

class PosixSystemPlatform final : public HostFilesPlatform {
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

// KELVANE_ZONE_FILE (through secure_getenv) when set, else /etc/localtime.
const char *SystemZoneFile() noexcept;

}  // namespace kelvane
