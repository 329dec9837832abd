// The real Win32 platform.
//
// Each operation is its Win32 call. Desktop Windows differs from the device
// in three places, each adapted where it happens: the registry refuses the
// device's clock key path with its leading backslash; GetTimeZoneInformation
// answers TIME_ZONE_ID_UNKNOWN for a zone without daylight rule, where the
// device answers standard time; and setting the zone needs
// SeTimeZonePrivilege enabled in the caller's token. Desktop Windows also
// keeps UTC when the zone changes (the device keeps local time), which
// KeptClock reports so applying a zone leaves the clock alone.
#include "platform/win32_platform.h"

#include "platform/clock_file.h"
#include "platform/host_files.h"

namespace kelvane {
namespace {
// Windows converts file times up to 30828-09-14, past SYSTEMTIME's documented
// range; the device (and the engine's calendar everywhere) ends with 30827.
constexpr WORD kLastYear = 30827;

HKEY KeyOf(ClockKey key) noexcept { return reinterpret_cast<HKEY>(key); }

// The clock settings file stands for the key where the key does not exist;
// no registry handle has this value.
constexpr ClockKey kClockFile = ~ClockKey{0};

bool HasNoDaylightRule(const TIME_ZONE_INFORMATION &zone) noexcept {
    return zone.StandardDate.wMonth == 0 && zone.DaylightDate.wMonth == 0;
}

// SeTimeZonePrivilege enabled in the process token for the object's
// lifetime, then put back as it was. AdjustTokenPrivileges returns TRUE
// even when it assigned nothing; ERROR_NOT_ALL_ASSIGNED says so.
class TimeZonePrivilege {
public:
    TimeZonePrivilege() noexcept {
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
            token_ = nullptr;
            return;
        }
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!::LookupPrivilegeValueW(nullptr, L"SeTimeZonePrivilege", &wanted.Privileges[0].Luid)) return;
        DWORD size = 0;
        adjusted_ = ::AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof previous_, &previous_, &size) != 0;
        enabled_ = adjusted_ && ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    }
    ~TimeZonePrivilege() {
        if (adjusted_) ::AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
        if (token_ != nullptr) ::CloseHandle(token_);
    }
    TimeZonePrivilege(const TimeZonePrivilege &) = delete;
    TimeZonePrivilege &operator=(const TimeZonePrivilege &) = delete;

    bool Enabled() const noexcept { return enabled_; }

private:
    HANDLE token_ = nullptr;
    TOKEN_PRIVILEGES previous_{};
    bool adjusted_ = false;
    bool enabled_ = false;
};

// TZChar is WCHAR here: the zone names copy unit for unit.
void CopyName(WCHAR (&dest)[32], const WCHAR (&source)[32]) noexcept {
    for (int i = 0; i < 32; ++i) dest[i] = source[i];
}
}  // namespace

// Desktop Windows keeps UTC in its clock; the zone only changes how it is shown.
ClockKind Win32Platform::KeptClock() noexcept { return ClockKind::Utc; }

void Win32Platform::GetSystemTime(SYSTEMTIME *utc) noexcept { ::GetSystemTime(utc); }

bool Win32Platform::SetSystemTime(const SYSTEMTIME &utc) noexcept { return ::SetSystemTime(&utc) != 0; }

bool Win32Platform::SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept {
    FILETIME file{};
    if (time.wYear > kLastYear || !::SystemTimeToFileTime(&time, &file)) return false;
    *ticks = (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return true;
}

bool Win32Platform::FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept {
    FILETIME file{};
    file.dwLowDateTime = static_cast<DWORD>(ticks);
    file.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME converted{};
    if (!::FileTimeToSystemTime(&file, &converted) || converted.wYear > kLastYear) return false;
    *time = converted;
    return true;
}

std::uint32_t Win32Platform::GetTimeZoneInformation(TimeZoneInformation *info) noexcept {
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = ::GetTimeZoneInformation(&zone);
    info->Bias = zone.Bias;
    CopyName(info->StandardName, zone.StandardName);
    info->StandardDate = zone.StandardDate;
    info->StandardBias = zone.StandardBias;
    CopyName(info->DaylightName, zone.DaylightName);
    info->DaylightDate = zone.DaylightDate;
    info->DaylightBias = zone.DaylightBias;
    // Desktop Windows answers UNKNOWN for a zone without daylight rule; the
    // device answers standard time, and ChangeTZ could never leave it otherwise.
    if (state == TIME_ZONE_ID_UNKNOWN && HasNoDaylightRule(zone)) return kTimeZoneIdStandard;
    return state;
}

bool Win32Platform::SetTimeZoneInformation(const TimeZoneInformation &info) noexcept {
    // Desktop Windows sets the zone only for a caller whose token has
    // SeTimeZonePrivilege enabled; without it the call is not made at all.
    const TimeZonePrivilege privilege;
    if (!privilege.Enabled()) {
        ::SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return false;
    }
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = info.Bias;
    CopyName(zone.StandardName, info.StandardName);
    zone.StandardDate = info.StandardDate;
    zone.StandardBias = info.StandardBias;
    CopyName(zone.DaylightName, info.DaylightName);
    zone.DaylightDate = info.DaylightDate;
    zone.DaylightBias = info.DaylightBias;
    return ::SetTimeZoneInformation(&zone) != 0;
}

std::uint16_t Win32Platform::GetUserDefaultUILanguage() noexcept { return ::GetUserDefaultUILanguage(); }

bool Win32Platform::OpenClockKey(ClockKey *key) noexcept {
    // Desktop registries refuse a path with a leading backslash (Wine:
    // ERROR_BAD_PATHNAME); the key is the same without it.
    const TZChar *path = kClockKeyPath[0] == L'\\' ? kClockKeyPath + 1 : kClockKeyPath;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_WRITE, &opened) == ERROR_SUCCESS) {
        *key = reinterpret_cast<ClockKey>(opened);
        return true;
    }
    // Desktop Windows has no such key: clock.ini in the data directory, as on Linux.
    if (!ClockFileExists(*this)) return false;
    *key = kClockFile;
    return true;
}

bool Win32Platform::SetClockValue(ClockKey key, const TZChar *name, std::uint32_t value) noexcept {
    if (key == kClockFile) return SetClockFileValue(*this, name, value);
    const DWORD data = value;
    return ::RegSetValueExW(KeyOf(key), name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

void Win32Platform::CloseClockKey(ClockKey key) noexcept {
    if (key != kClockFile) ::RegCloseKey(KeyOf(key));
}

}  // namespace kelvane
