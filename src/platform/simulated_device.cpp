#include "platform/simulated_device.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/text.h"
#include "platform/device_config.h"
#include "platform/file_time.h"
#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane {
namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

// A number as device.ini writes it: decimal, signed, or 0x-hex.
std::int64_t ParseNumber(const std::string &text, std::int64_t fallback) {
    if (text.empty()) return fallback;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char *end = nullptr;
    errno = 0;
    const std::int64_t value = hex ? static_cast<std::int64_t>(std::strtoull(text.c_str() + 2, &end, 16))
                                   : std::strtoll(text.c_str(), &end, 10);
    return end != nullptr && *end == '\0' && errno != ERANGE ? value : fallback;
}

// The widest values the device takes: a bias is a 32-bit count of minutes,
// and a clock offset stays within the years the calendar has (1601 to 30827).
// A value beyond them is invalid and counts as absent, so no arithmetic on it
// can overflow.
constexpr std::int64_t kMaxClockOffsetSeconds = 1000000000000;  // about 31,700 years

std::int64_t NumberIn(const DeviceConfig &config, const char *key, std::int64_t fallback, std::int64_t lowest,
                      std::int64_t highest) {
    const auto value = config.Get(key);
    if (!value) return fallback;
    const std::int64_t number = ParseNumber(*value, fallback);
    return number >= lowest && number <= highest ? number : fallback;
}

std::int64_t NumberOr(const DeviceConfig &config, const char *key, std::int64_t fallback) {
    return NumberIn(config, key, fallback, INT32_MIN, INT32_MAX);
}

std::int64_t ClockOffset(const DeviceConfig &config) {
    return NumberIn(config, "clock_offset", 0, -kMaxClockOffsetSeconds, kMaxClockOffsetSeconds);
}

std::int64_t HostUtcSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// Seconds since 1970 of "YYYY-MM-DD hh:mm:ss", or false.
bool ParseClock(const std::string &text, std::int64_t *seconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0)
        return false;
    *seconds = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * kSecondsPerDay +
               h * 3600 + mi * 60 + s;
    return true;
}

std::string FormatClock(std::int64_t seconds) {
    std::int64_t y = 0;
    unsigned mo = 0, d = 0;
    std::int64_t days = seconds / kSecondsPerDay, rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    CivilFromDays(days, &y, &mo, &d);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", static_cast<long long>(y), mo, d,
                  static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return text;
}

void ToSystemTime(std::int64_t seconds, SYSTEMTIME *t) {
    std::int64_t days = seconds / kSecondsPerDay, rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    std::int64_t y = 0;
    unsigned mo = 0, d = 0;
    CivilFromDays(days, &y, &mo, &d);
    t->wYear = static_cast<std::uint16_t>(y);
    t->wMonth = static_cast<std::uint16_t>(mo);
    t->wDay = static_cast<std::uint16_t>(d);
    t->wDayOfWeek = static_cast<std::uint16_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    t->wHour = static_cast<std::uint16_t>(rest / 3600);
    t->wMinute = static_cast<std::uint16_t>(rest / 60 % 60);
    t->wSecond = static_cast<std::uint16_t>(rest % 60);
    t->wMilliseconds = 0;
}

std::int64_t FromSystemTime(const SYSTEMTIME &t) {
    return DaysFromCivil(t.wYear, t.wMonth, t.wDay) * kSecondsPerDay + t.wHour * 3600 + t.wMinute * 60 +
           t.wSecond;
}

SYSTEMTIME ParseTransition(const DeviceConfig &config, const char *key) {
    SYSTEMTIME t{};
    const auto value = config.Get(key);
    if (!value) return t;
    unsigned f[8] = {};
    if (std::sscanf(value->c_str(), "%u %u %u %u %u %u %u %u", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6],
                    &f[7]) != 8)
        return t;
    std::uint16_t *fields[8] = {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay,
                                &t.wHour, &t.wMinute, &t.wSecond, &t.wMilliseconds};
    for (int i = 0; i < 8; ++i) *fields[i] = static_cast<std::uint16_t>(f[i]);
    return t;
}

std::string FormatTransition(const SYSTEMTIME &t) {
    char text[96];
    std::snprintf(text, sizeof text, "%u %u %u %u %u %u %u %u", t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

// The transition's local instant in the given year: the wDay-th (5: last)
// wDayOfWeek of wMonth at wHour:wMinute, or an absolute date when wYear is set.
std::int64_t TransitionIn(const SYSTEMTIME &rule, std::int64_t year) {
    const unsigned month = rule.wMonth > 12 ? 12 : rule.wMonth;
    std::int64_t day;
    if (rule.wYear != 0) {
        day = DaysFromCivil(rule.wYear, month, rule.wDay == 0 ? 1 : rule.wDay);
    } else {
        const std::int64_t first = DaysFromCivil(year, month, 1);
        const std::int64_t next = month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
        const std::int64_t weekdayOfFirst = ((first % 7) + 11) % 7;
        day = first + ((rule.wDayOfWeek % 7) - weekdayOfFirst + 7) % 7;
        const unsigned week = rule.wDay < 1 ? 1 : rule.wDay;
        day += 7 * (week - 1);
        while (day >= next) day -= 7;
    }
    return day * kSecondsPerDay + rule.wHour * 3600 + rule.wMinute * 60;
}

std::uint32_t ComputedState(const SYSTEMTIME &daylight, const SYSTEMTIME &standard, std::int64_t local) {
    if (daylight.wMonth == 0 || standard.wMonth == 0) return kTimeZoneIdStandard;
    std::int64_t y = 0;
    unsigned mo = 0, d = 0;
    CivilFromDays(local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay, &y, &mo, &d);
    const std::int64_t start = TransitionIn(daylight, y), end = TransitionIn(standard, y);
    const bool inDaylight = start < end ? (local >= start && local < end) : (local >= start || local < end);
    return inDaylight ? kTimeZoneIdDaylight : kTimeZoneIdStandard;
}

std::int64_t LocalClock(const DeviceConfig &config) {
    std::int64_t seconds = 0;
    const auto frozen = config.Get("clock");
    if (frozen && ParseClock(*frozen, &seconds)) return seconds;
    return HostUtcSeconds() + ClockOffset(config);
}

std::uint32_t StateOf(const DeviceConfig &config) {
    const auto forced = config.Get("tz_state");
    if (forced && !forced->empty()) return static_cast<std::uint32_t>(ParseNumber(*forced, 0));
    return ComputedState(ParseTransition(config, "tz_daylight_date"), ParseTransition(config, "tz_standard_date"),
                         LocalClock(config));
}

// Minutes from local time to UTC in the current state.
std::int64_t CurrentBias(const DeviceConfig &config) {
    const std::int64_t extra = StateOf(config) == kTimeZoneIdDaylight ? NumberOr(config, "tz_daylight_bias", 0)
                                                                       : NumberOr(config, "tz_standard_bias", 0);
    return NumberOr(config, "tz_bias", 0) + extra;
}

bool FailureInjected(const DeviceConfig &config, const std::string &name) {
    std::string compact = ",";
    for (char c : config.Get("fail").value_or("")) {
        if (c != ' ' && c != '\t') compact += c;
    }
    compact += ',';
    return compact.find("," + name + ",") != std::string::npos;
}

void CopyName(TZChar (&dest)[32], const std::string &utf8) {
    const auto wide = ToUtf16(utf8);
    CopyText(dest, TextView(wide.data(), wide.size()));
}
}  // namespace

namespace {
// The directory of an executable's path; empty for an empty path.
std::string DirectoryOf(const std::string &executable) {
    if (executable.empty()) return executable;
    const auto slash = executable.find_last_of(static_cast<char>(host::kSeparator));
    return slash == std::string::npos ? std::string(".") : executable.substr(0, slash == 0 ? 1 : slash);
}
}  // namespace

SimulatedDevice::SimulatedDevice(std::string executablePath)
    : HostFilesPlatform(DirectoryOf(executablePath)), executablePath_(std::move(executablePath)) {}

std::string SimulatedDevice::ConfigPath() const { return DataFileUtf8(kDeviceFileName); }

DeviceConfig SimulatedDevice::Load(bool *readable) const {
    std::string text;
    const bool read = host::ReadWhole(ConfigPath(), &text);
    if (readable != nullptr) *readable = read;
    return DeviceConfig::Parse(read ? text : std::string());
}

bool SimulatedDevice::Store(const DeviceConfig &config) const {
    return host::ReplaceWhole(ConfigPath(), config.Text());
}

std::uint32_t SimulatedDevice::ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept {
    if (executablePath_.empty()) return host::ModuleFileName(buffer, capacity);
    return CopyAsUtf16(executablePath_, buffer, capacity);
}

ClockKind SimulatedDevice::KeptClock() noexcept try {
    return Load().Get("clock_keeps").value_or("local") == "utc" ? ClockKind::Utc : ClockKind::LocalTime;
} catch (...) {
    return ClockKind::LocalTime;
}

void SimulatedDevice::GetSystemTime(SYSTEMTIME *utc) noexcept try {
    const DeviceConfig config = Load();
    ToSystemTime(LocalClock(config) + 60 * CurrentBias(config), utc);
} catch (...) {
    ToSystemTime(HostUtcSeconds(), utc);
}

namespace {
// The local time of a UTC time is found as the platform finds it: daylight
// time when the local time would be daylight time read either way, so the
// skipped hour of spring and the repeated hour of autumn come out right.
std::int64_t LocalTimeOf(const DeviceConfig &config, std::int64_t utc) {
    const std::int64_t bias = NumberOr(config, "tz_bias", 0);
    const std::int64_t standard = utc - 60 * (bias + NumberOr(config, "tz_standard_bias", 0));
    const std::int64_t daylight = utc - 60 * (bias + NumberOr(config, "tz_daylight_bias", 0));
    if (const auto forced = config.Get("tz_state"); forced && !forced->empty())
        return ParseNumber(*forced, 0) == kTimeZoneIdDaylight ? daylight : standard;
    const SYSTEMTIME daylightDate = ParseTransition(config, "tz_daylight_date");
    const SYSTEMTIME standardDate = ParseTransition(config, "tz_standard_date");
    const bool inDaylight = ComputedState(daylightDate, standardDate, standard) == kTimeZoneIdDaylight &&
                            ComputedState(daylightDate, standardDate, daylight) == kTimeZoneIdDaylight;
    return inDaylight ? daylight : standard;
}

// Sets the local clock to what the stored zone makes of the UTC time.
void SetClockToUtc(DeviceConfig &config, std::int64_t utc) {
    const std::int64_t local = LocalTimeOf(config, utc);
    if (config.Get("clock"))
        config.Set("clock", FormatClock(local));
    else
        config.Set("clock_offset", std::to_string(local - HostUtcSeconds()));
}
}  // namespace

bool SimulatedDevice::SetSystemTime(const SYSTEMTIME &utc) noexcept try {
    SYSTEMTIME checked = utc;
    std::uint64_t ticks = 0;
    if (!CivilToFileTime(checked, &ticks)) return false;
    bool readable = false;
    DeviceConfig config = Load(&readable);
    if (!readable) return false;  // its defaults would be stored over the real state
    SetClockToUtc(config, FromSystemTime(utc));
    return Store(config);
} catch (...) {
    return false;
}

bool SimulatedDevice::SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept {
    return CivilToFileTime(time, ticks);
}

bool SimulatedDevice::FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept {
    return FileTimeToCivil(ticks, time);
}

std::uint32_t SimulatedDevice::GetTimeZoneInformation(TimeZoneInformation *info) noexcept try {
    const DeviceConfig config = Load();
    *info = TimeZoneInformation{};
    info->Bias = static_cast<std::int32_t>(NumberOr(config, "tz_bias", 0));
    info->StandardBias = static_cast<std::int32_t>(NumberOr(config, "tz_standard_bias", 0));
    info->DaylightBias = static_cast<std::int32_t>(NumberOr(config, "tz_daylight_bias", 0));
    CopyName(info->StandardName, config.Get("tz_standard_name").value_or(""));
    CopyName(info->DaylightName, config.Get("tz_daylight_name").value_or(""));
    info->StandardDate = ParseTransition(config, "tz_standard_date");
    info->DaylightDate = ParseTransition(config, "tz_daylight_date");
    return StateOf(config);
} catch (...) {
    return kTimeZoneIdUnknown;
}

bool SimulatedDevice::SetTimeZoneInformation(const TimeZoneInformation &info) noexcept try {
    bool readable = false;
    DeviceConfig config = Load(&readable);
    if (!readable || FailureInjected(config, "set_time_zone")) return false;
    const std::int64_t utc = LocalClock(config) + 60 * CurrentBias(config);
    config.Set("tz_bias", std::to_string(info.Bias));
    config.Set("tz_standard_bias", std::to_string(info.StandardBias));
    config.Set("tz_daylight_bias", std::to_string(info.DaylightBias));
    config.Set("tz_standard_name", ToUtf8(ViewOf(info.StandardName, 32)));
    config.Set("tz_daylight_name", ToUtf8(ViewOf(info.DaylightName, 32)));
    config.Set("tz_standard_date", FormatTransition(info.StandardDate));
    config.Set("tz_daylight_date", FormatTransition(info.DaylightDate));
    if (config.Get("clock_keeps").value_or("local") == "utc") SetClockToUtc(config, utc);
    return Store(config);
} catch (...) {
    return false;
}

std::uint16_t SimulatedDevice::GetUserDefaultUILanguage() noexcept try {
    return static_cast<std::uint16_t>(NumberOr(Load(), "ui_language", 1033));
} catch (...) {
    return 0;
}

bool SimulatedDevice::OpenClockKey(ClockKey *key) noexcept try {
    if (NumberOr(Load(), "clock_key", 1) == 0) return false;
    *key = 1;
    return true;
} catch (...) {
    return false;
}

bool SimulatedDevice::SetClockValue(ClockKey, const TZChar *name, std::uint32_t value) noexcept try {
    bool readable = false;
    DeviceConfig config = Load(&readable);
    if (!readable || FailureInjected(config, "registry_set")) return false;
    config.Set(ToUtf8(ViewOf(name, 64)), std::to_string(value));
    return Store(config);
} catch (...) {
    return false;
}

void SimulatedDevice::CloseClockKey(ClockKey) noexcept {}

}  // namespace kelvane
