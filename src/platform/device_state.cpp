#include "platform/device_state.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar/civil_calendar.h"
#include "platform/host_files.h"
#include "platform/utf.h"
#include "base/text.h"

namespace kelvane {
namespace {
// The widest values the device takes: a bias is a 32-bit count of minutes,
// and a clock offset stays within the years the calendar has (1601 to
// 30827). A value beyond them is invalid and counts as absent, so no
// arithmetic on it can overflow.
constexpr std::int64_t kMaxClockOffsetSeconds = 1000000000000;  // about 31,700 years

// A number as device.ini writes it: decimal, signed, or 0x-hex.
std::optional<std::int64_t> ParseNumber(const std::string &text) {
    if (text.empty()) return std::nullopt;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char *end = nullptr;
    errno = 0;
    const std::int64_t value = hex ? static_cast<std::int64_t>(std::strtoull(text.c_str() + 2, &end, 16))
                                   : std::strtoll(text.c_str(), &end, 10);
    if (end == nullptr || *end != '\0' || errno == ERANGE) return std::nullopt;
    return value;
}

std::int64_t NumberIn(const DeviceConfig &lines, const char *key, std::int64_t fallback, std::int64_t lowest,
                      std::int64_t highest) {
    const auto number = ParseNumber(lines.Get(key).value_or(""));
    return number && *number >= lowest && *number <= highest ? *number : fallback;
}

std::int32_t Bias(const DeviceConfig &lines, const char *key) {
    return static_cast<std::int32_t>(NumberIn(lines, key, 0, INT32_MIN, INT32_MAX));
}

// Seconds since 1970 of "YYYY-MM-DD hh:mm:ss".
std::optional<std::int64_t> ParseClock(const std::string &text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6) return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return std::nullopt;
    return SecondsFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d), h * 3600 + mi * 60 + s);
}

std::string FormatClock(std::int64_t seconds) {
    const CivilTime t = CivilFromSeconds(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02u:%02u:%02u", static_cast<long long>(t.year), t.month,
                  t.day, t.hour, t.minute, t.second);
    return text;
}

SYSTEMTIME ParseTransition(const DeviceConfig &lines, const char *key) {
    SYSTEMTIME t{};
    unsigned f[8] = {};
    if (std::sscanf(lines.Get(key).value_or("").c_str(), "%u %u %u %u %u %u %u %u", &f[0], &f[1], &f[2], &f[3],
                    &f[4], &f[5], &f[6], &f[7]) != 8)
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

void ParseName(TZChar (&dest)[32], const std::optional<std::string> &utf8) {
    const auto wide = ToUtf16(utf8.value_or(""));
    CopyText(dest, TextView(wide.data(), wide.size()));
}

bool Injected(const DeviceConfig &lines, const std::string &failure) {
    std::string compact = ",";
    for (char c : lines.Get("fail").value_or("")) {
        if (c != ' ' && c != '\t') compact += c;
    }
    compact += ',';
    return compact.find("," + failure + ",") != std::string::npos;
}

void ParseZone(const DeviceConfig &lines, TimeZoneInformation *zone) {
    zone->Bias = Bias(lines, "tz_bias");
    zone->StandardBias = Bias(lines, "tz_standard_bias");
    zone->DaylightBias = Bias(lines, "tz_daylight_bias");
    ParseName(zone->StandardName, lines.Get("tz_standard_name"));
    ParseName(zone->DaylightName, lines.Get("tz_daylight_name"));
    zone->StandardDate = ParseTransition(lines, "tz_standard_date");
    zone->DaylightDate = ParseTransition(lines, "tz_daylight_date");
}

DeviceState Parse(const std::string &text) {
    DeviceState state;
    state.lines = DeviceConfig::Parse(text);
    const DeviceConfig &lines = state.lines;
    state.uiLanguage = static_cast<std::uint16_t>(NumberIn(lines, "ui_language", 1033, INT32_MIN, INT32_MAX));
    state.frozenClock = ParseClock(lines.Get("clock").value_or(""));
    state.clockOffset = NumberIn(lines, "clock_offset", 0, -kMaxClockOffsetSeconds, kMaxClockOffsetSeconds);
    state.keeps = lines.Get("clock_keeps").value_or("local") == "utc" ? ClockKind::Utc : ClockKind::LocalTime;
    ParseZone(lines, &state.zone);
    if (const auto forced = lines.Get("tz_state"); forced && !forced->empty())
        state.forcedZoneState = static_cast<std::uint32_t>(ParseNumber(*forced).value_or(0));
    state.clockKeyExists = NumberIn(lines, "clock_key", 1, INT32_MIN, INT32_MAX) != 0;
    state.failSetTimeZone = Injected(lines, "set_time_zone");
    state.failRegistrySet = Injected(lines, "registry_set");
    return state;
}

}  // namespace

bool ReadDeviceState(Platform &files, const TZChar *path, DeviceState *state) noexcept try {
    std::string text;
    const bool read = host::ReadWhole(files, path, &text, kDeviceFileLimit);
    *state = Parse(read ? text : std::string());
    return read;
} catch (...) {
    *state = DeviceState{};
    return false;
}

bool WriteDeviceState(Platform &files, const TZChar *path, const DeviceState &state) noexcept try {
    const std::string text = state.lines.Text();
    return text.size() <= kDeviceFileLimit && host::ReplaceWhole(files, path, text);
} catch (...) {
    return false;
}

void SetInterfaceLanguage(DeviceState &state, std::uint16_t language) {
    state.uiLanguage = language;
    state.lines.Set("ui_language", std::to_string(language));
}

void SetClockKeyExists(DeviceState &state, bool exists) {
    state.clockKeyExists = exists;
    state.lines.Set("clock_key", exists ? "1" : "0");
}

void SetZone(DeviceState &state, const TimeZoneInformation &zone) {
    state.zone = zone;
    DeviceConfig &lines = state.lines;
    lines.Set("tz_bias", std::to_string(zone.Bias));
    lines.Set("tz_standard_bias", std::to_string(zone.StandardBias));
    lines.Set("tz_daylight_bias", std::to_string(zone.DaylightBias));
    lines.Set("tz_standard_name", ToUtf8(ViewOf(zone.StandardName, 32)));
    lines.Set("tz_daylight_name", ToUtf8(ViewOf(zone.DaylightName, 32)));
    lines.Set("tz_standard_date", FormatTransition(zone.StandardDate));
    lines.Set("tz_daylight_date", FormatTransition(zone.DaylightDate));
}

void SetLocalClock(DeviceState &state, std::int64_t local, std::int64_t hostUtc) {
    if (state.frozenClock) {
        state.frozenClock = local;
        state.lines.Set("clock", FormatClock(local));
    } else {
        state.clockOffset = local - hostUtc;
        state.lines.Set("clock_offset", std::to_string(state.clockOffset));
    }
}

void SetRegistryValue(DeviceState &state, const std::string &name, std::uint32_t value) {
    state.lines.Set(name, std::to_string(value));
}

}  // namespace kelvane
