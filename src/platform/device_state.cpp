#include "platform/device_state.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

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

// Calls read with text NUL-terminated, for the C library's readers: on the
// stack when short, as device.ini's values are.
template <typename Read>
auto WithTerminated(std::string_view text, Read read) {
    char small[64];
    if (text.size() < sizeof small) {
        std::memcpy(small, text.data(), text.size());
        small[text.size()] = '\0';
        return read(static_cast<const char *>(small));
    }
    const std::string large(text);
    return read(large.c_str());
}

// Digits after an optional minus sign, as the engine writes them, read
// without the C library; anything else is left to it.
std::optional<std::int64_t> ParsePlainDecimal(std::string_view text) {
    std::int64_t value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// A number as device.ini writes it: decimal, signed, or 0x-hex.
std::optional<std::int64_t> ParseNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (const auto plain = ParsePlainDecimal(text)) return plain;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    return WithTerminated(text, [hex](const char *c) -> std::optional<std::int64_t> {
        char *end = nullptr;
        errno = 0;
        const std::int64_t value = hex ? static_cast<std::int64_t>(std::strtoull(c + 2, &end, 16))
                                       : std::strtoll(c, &end, 10);
        if (end == nullptr || *end != '\0' || errno == ERANGE) return std::nullopt;
        return value;
    });
}

std::int64_t NumberIn(std::optional<std::string_view> value, std::int64_t fallback, std::int64_t lowest,
                      std::int64_t highest) {
    const auto number = ParseNumber(value.value_or(""));
    return number && *number >= lowest && *number <= highest ? *number : fallback;
}

std::int32_t Bias(std::optional<std::string_view> value) {
    return static_cast<std::int32_t>(NumberIn(value, 0, INT32_MIN, INT32_MAX));
}

// Seconds since 1970 of "YYYY-MM-DD hh:mm:ss".
std::optional<std::int64_t> ParseClock(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    const int read = WithTerminated(*text, [&](const char *c) {
        return std::sscanf(c, "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail);
    });
    if (read != 6) return std::nullopt;
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

// One number at *at as strtoul reads it: blanks before it, a sign, digits,
// ULONG_MAX when too large. False when no digit stands there.
bool ReadUnsigned(std::string_view text, std::size_t *at, unsigned long *value) {
    std::size_t i = *at;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const char *first = text.data() + i, *end = text.data() + text.size();
    unsigned long number = 0;
    const auto [stop, error] = std::from_chars(first, end, number);
    if (stop == first) return false;
    *value = error == std::errc::result_out_of_range ? ULONG_MAX : negative ? 0 - number : number;
    *at = static_cast<std::size_t>(stop - text.data());
    return true;
}

// Eight numbers apart by blanks, read as scanf's %u reads them (what
// follows the eighth is ignored); anything less gives a zero date.
SYSTEMTIME ParseTransition(std::optional<std::string_view> value) {
    const std::string_view text = value.value_or("");
    unsigned long f[8] = {};
    std::size_t at = 0;
    SYSTEMTIME t{};
    for (unsigned long &field : f) {
        if (!ReadUnsigned(text, &at, &field)) return t;
    }
    std::uint16_t *fields[8] = {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay,
                                &t.wHour, &t.wMinute, &t.wSecond, &t.wMilliseconds};
    for (int i = 0; i < 8; ++i) *fields[i] = static_cast<std::uint16_t>(static_cast<unsigned>(f[i]));
    return t;
}

std::string FormatTransition(const SYSTEMTIME &t) {
    char text[96];
    std::snprintf(text, sizeof text, "%u %u %u %u %u %u %u %u", t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

void ParseName(TZChar (&dest)[32], std::optional<std::string_view> utf8) {
    CopyUtf16Cut(utf8.value_or(""), dest, 32);
}

// Whether the comma list of failures names this one (blanks anywhere ignored).
bool Injected(std::optional<std::string_view> value, std::string_view failure) {
    const std::string_view list = value.value_or("");
    std::size_t matched = 0;  // units of failure matched since the last comma, or npos once it differs
    for (const char c : list) {
        if (c == ' ' || c == '\t') continue;
        if (c == ',') {
            if (matched == failure.size()) return true;
            matched = 0;
        } else if (matched < failure.size() && c == failure[matched]) {
            ++matched;
        } else {
            matched = std::string_view::npos;
        }
    }
    return matched == failure.size();
}

// The keys the device reads.
enum Key {
    kUiLanguage, kClock, kClockOffset, kClockKeeps, kBias, kStandardBias, kDaylightBias, kStandardName,
    kDaylightName, kStandardDate, kDaylightDate, kState, kClockKey, kFail, kKeyCount
};
constexpr std::string_view kKeys[kKeyCount] = {
    "ui_language", "clock", "clock_offset", "clock_keeps", "tz_bias", "tz_standard_bias", "tz_daylight_bias",
    "tz_standard_name", "tz_daylight_name", "tz_standard_date", "tz_daylight_date", "tz_state", "clock_key", "fail",
};
using Values = std::array<std::optional<std::string_view>, kKeyCount>;

// The value of each key's last line, found in one pass over the lines.
Values ReadValues(const DeviceConfig &lines) {
    Values values;
    lines.ForEachValue([&values](std::string_view key, std::string_view value) {
        for (int k = 0; k < kKeyCount; ++k) {
            if (key == kKeys[k]) {
                values[k] = value;
                return;
            }
        }
    });
    return values;
}

void ParseZone(const Values &values, TimeZoneInformation *zone) {
    zone->Bias = Bias(values[kBias]);
    zone->StandardBias = Bias(values[kStandardBias]);
    zone->DaylightBias = Bias(values[kDaylightBias]);
    ParseName(zone->StandardName, values[kStandardName]);
    ParseName(zone->DaylightName, values[kDaylightName]);
    zone->StandardDate = ParseTransition(values[kStandardDate]);
    zone->DaylightDate = ParseTransition(values[kDaylightDate]);
}

DeviceState Parse(std::string text) {
    DeviceState state;
    state.lines = DeviceConfig::Parse(std::move(text));
    const Values values = ReadValues(state.lines);
    state.uiLanguage = static_cast<std::uint16_t>(NumberIn(values[kUiLanguage], 1033, INT32_MIN, INT32_MAX));
    state.frozenClock = ParseClock(values[kClock]);
    state.clockOffset = NumberIn(values[kClockOffset], 0, -kMaxClockOffsetSeconds, kMaxClockOffsetSeconds);
    state.keeps = values[kClockKeeps].value_or("local") == "utc" ? ClockKind::Utc : ClockKind::LocalTime;
    ParseZone(values, &state.zone);
    if (const auto forced = values[kState]; forced && !forced->empty())
        state.forcedZoneState = static_cast<std::uint32_t>(ParseNumber(*forced).value_or(0));
    state.clockKeyExists = NumberIn(values[kClockKey], 1, INT32_MIN, INT32_MAX) != 0;
    state.failSetTimeZone = Injected(values[kFail], "set_time_zone");
    state.failRegistrySet = Injected(values[kFail], "registry_set");
    return state;
}

}  // namespace

bool ReadDeviceState(Platform &files, const TZChar *path, DeviceState *state) noexcept try {
    std::string text;
    const bool read = host::ReadWhole(files, path, &text, kDeviceFileLimit);
    if (!read) text.clear();
    *state = Parse(std::move(text));
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
