#include "platform/zone_file_writer.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace kelvane {
namespace {
constexpr std::int64_t kMaxOffsetMinutes = 24 * 60;
constexpr std::int64_t kBeginningOfTime = -(std::int64_t{1} << 59);

// Appends to a fixed buffer; a write that does not fit spoils the result.
class TextOut {
public:
    TextOut(char *buffer, std::size_t capacity) noexcept : buffer_(buffer), capacity_(capacity) { buffer_[0] = 0; }
    // Plain text, copied as it stands.
    void Put(const char *text) noexcept { Add("%s", text); }
    template <typename... Args>
    void Add(const char *format, Args... args) noexcept {
        if (!ok_) return;
        const int n = std::snprintf(buffer_ + length_, capacity_ - length_, format, args...);
        if (n < 0 || static_cast<std::size_t>(n) >= capacity_ - length_) ok_ = false;
        else length_ += static_cast<std::size_t>(n);
    }
    std::size_t Length() const noexcept { return ok_ ? length_ : 0; }

private:
    char *buffer_;
    std::size_t capacity_, length_ = 0;
    bool ok_ = true;
};

// "+0530" or "-03": the offset east of UTC as the tz database names numeric zones.
void AddAbbreviation(TextOut &out, std::int64_t westMinutes) noexcept {
    const std::int64_t east = -westMinutes, magnitude = east < 0 ? -east : east;
    out.Add("%c%02d", east < 0 ? '-' : '+', static_cast<int>(magnitude / 60));
    if (magnitude % 60 != 0) out.Add("%02d", static_cast<int>(magnitude % 60));
}

// POSIX's offset: hours west of UTC, "[-]h[:mm]".
void AddOffset(TextOut &out, std::int64_t westMinutes) noexcept {
    const std::int64_t magnitude = westMinutes < 0 ? -westMinutes : westMinutes;
    out.Add("%s%d", westMinutes < 0 ? "-" : "", static_cast<int>(magnitude / 60));
    if (magnitude % 60 != 0) out.Add(":%02d", static_cast<int>(magnitude % 60));
}

bool IsExpressible(const SYSTEMTIME &date) noexcept {
    return date.wMonth >= 1 && date.wMonth <= 12 && date.wDay >= 1 && date.wDay <= 5 && date.wDayOfWeek <= 6 &&
           date.wHour <= 23 && date.wMinute <= 59;
}

void AddDate(TextOut &out, const SYSTEMTIME &date) noexcept {
    out.Add(",M%u.%u.%u/%u", date.wMonth, date.wDay, date.wDayOfWeek, date.wHour);
    if (date.wMinute != 0) out.Add(":%02u", date.wMinute);
}

bool HasDaylightRule(const TimeZoneInformation &info) noexcept {
    return info.StandardDate.wMonth != 0 && info.DaylightDate.wMonth != 0;
}

void AddBigEndian(unsigned char *&at, std::uint64_t value, int width) noexcept {
    for (int i = width - 1; i >= 0; --i) *at++ = static_cast<unsigned char>(value >> (8 * i));
}

// The 44-byte header: magic, version 2, 15 reserved bytes, the six counts
// (UT and standard indicators, leap seconds, transitions, types, abbreviation bytes).
void AddHeader(unsigned char *&at, std::uint32_t transitions, std::uint32_t types, std::uint32_t chars) noexcept {
    std::memcpy(at, "TZif2", 5);
    std::memset(at + 5, 0, 15);
    at += 20;
    for (const std::uint32_t count : {0u, 0u, 0u, transitions, types, chars}) AddBigEndian(at, count, 4);
}

void AddType(unsigned char *&at, std::int64_t westMinutes, bool daylight, std::uint8_t abbreviation) noexcept {
    AddBigEndian(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(-westMinutes * 60)), 4);
    *at++ = daylight ? 1 : 0;
    *at++ = abbreviation;
}
}  // namespace

std::size_t FormatPosixRule(const TimeZoneInformation &info, char (&text)[kRuleTextBytes]) noexcept {
    const std::int64_t standard = std::int64_t{info.Bias} + info.StandardBias;
    const std::int64_t daylight = std::int64_t{info.Bias} + info.DaylightBias;
    const bool rule = HasDaylightRule(info);
    if (standard > kMaxOffsetMinutes || standard < -kMaxOffsetMinutes) return 0;
    if (rule && (daylight > kMaxOffsetMinutes || daylight < -kMaxOffsetMinutes || !IsExpressible(info.StandardDate) ||
                 !IsExpressible(info.DaylightDate)))
        return 0;
    TextOut out(text, sizeof text);
    out.Put("<");
    AddAbbreviation(out, standard);
    out.Put(">");
    AddOffset(out, standard);
    if (rule) {
        out.Put("<");
        AddAbbreviation(out, daylight);
        out.Put(">");
        AddOffset(out, daylight);
        AddDate(out, info.DaylightDate);
        AddDate(out, info.StandardDate);
    }
    return out.Length();
}

std::size_t BuildZoneFile(const TimeZoneInformation &info, unsigned char (&bytes)[kZoneFileBytes]) noexcept {
    char rule[kRuleTextBytes];
    const std::size_t ruleLength = FormatPosixRule(info, rule);
    if (ruleLength == 0) return 0;
    const std::int64_t standard = std::int64_t{info.Bias} + info.StandardBias;
    const std::int64_t daylight = std::int64_t{info.Bias} + info.DaylightBias;
    const bool hasDaylight = HasDaylightRule(info);
    // The abbreviations, each with its terminator: "+01\0+02\0".
    char names[32];
    TextOut abbreviations(names, sizeof names);
    AddAbbreviation(abbreviations, standard);
    const std::size_t standardChars = abbreviations.Length() + 1;
    if (hasDaylight) {
        abbreviations.Put(" ");  // the standard name's terminator, set below
        AddAbbreviation(abbreviations, daylight);
    }
    const std::size_t chars = abbreviations.Length() + 1;
    names[standardChars - 1] = '\0';

    unsigned char *at = bytes;
    // Version 1 part: no transitions, standard time only; readers of
    // version 2 skip it.
    AddHeader(at, 0, 1, static_cast<std::uint32_t>(standardChars));
    AddType(at, standard, false, 0);
    std::memcpy(at, names, standardChars);
    at += standardChars;
    // Version 2 part: one transition into standard time at the beginning of time.
    AddHeader(at, 1, hasDaylight ? 2 : 1, static_cast<std::uint32_t>(chars));
    AddBigEndian(at, static_cast<std::uint64_t>(kBeginningOfTime), 8);
    *at++ = 0;
    AddType(at, standard, false, 0);
    if (hasDaylight) AddType(at, daylight, true, static_cast<std::uint8_t>(standardChars));
    std::memcpy(at, names, chars);
    at += chars;
    *at++ = '\n';
    std::memcpy(at, rule, ruleLength);
    at += ruleLength;
    *at++ = '\n';
    return static_cast<std::size_t>(at - bytes);
}

}  // namespace kelvane
