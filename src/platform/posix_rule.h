// The POSIX TZ rule a TZif file ends with, e.g. "CET-1CEST,M3.5.0,M10.5.0/3".
//
// It names standard time and its offset (POSIX counts hours west of
// Greenwich, so "CET-1" is UTC+01:00), optionally daylight time with its
// offset (one hour ahead of standard time unless given) and the two dates on
// which daylight time starts and ends. A date is "Mm.w.d" (the w-th weekday d
// of month m, w = 5 the last), "Jn" (day n of 1 to 365, 29 February never
// counted) or "n" (day n of 0 to 365, 29 February counted), followed by an
// optional "/time" of local time in force before the change; the time may be
// negative or exceed 24 hours (RFC 8536), so "M3.5.0/-1" is 23:00 on the
// Saturday before the last Sunday of March and Jerusalem's "/26" is 02:00 of
// the day after.
//
// Times are seconds since 1970-01-01 00:00 UTC; offsets are seconds east of
// Greenwich, the sign the tz database uses (UTC+08:00 is +28800).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvane {

struct LocalType {
    std::int32_t utcOffset = 0;
    bool isDaylight = false;

    friend bool operator==(const LocalType &, const LocalType &) = default;
};

enum class DateForm { MonthWeekDay, JulianNoLeap, ZeroBasedDay };

struct PosixDate {
    DateForm form = DateForm::MonthWeekDay;
    unsigned month = 0, week = 0, weekday = 0;  // MonthWeekDay
    unsigned dayOfYear = 0;                     // JulianNoLeap (1 to 365), ZeroBasedDay (0 to 365)
    std::int32_t time = 2 * 3600;               // seconds after local midnight

    // An n-th weekday at a whole hour of the day itself: what a catalogue
    // record can hold without conversion.
    bool IsWholeHourWeekday() const noexcept;
};

// Abbreviations longer than this (terminator included) are refused; the
// tz database's are at most six characters.
inline constexpr std::size_t kAbbreviationBytes = 16;

struct PosixRule {
    char standardName[kAbbreviationBytes] = {};
    std::int32_t standardOffset = 0;  // seconds east of UTC
    bool hasDaylight = false;
    char daylightName[kAbbreviationBytes] = {};
    std::int32_t daylightOffset = 0;  // seconds east of UTC
    PosixDate start, end;             // daylight time starts, ends
};

// False when the text is not a complete rule (a daylight time without its
// two dates counts as incomplete: the default dates are implementation-defined).
bool ParsePosixRule(std::string_view text, PosixRule *rule) noexcept;

// Local seconds since 1970 (of the clock in force before the change) of date in year.
std::int64_t LocalChangeTime(const PosixDate &date, std::int64_t year) noexcept;

// The rule's daylight start and end in year, as UTC instants.
struct RuleChanges {
    std::int64_t daylightStart, daylightEnd;
};
RuleChanges ChangesInYear(const PosixRule &rule, std::int64_t year) noexcept;

// The local time the rule gives at an instant, as the C library reads it.
LocalType RuleTypeAt(const PosixRule &rule, std::int64_t instant) noexcept;

// The year (proleptic Gregorian) of an instant.
std::int64_t YearOfInstant(std::int64_t instant) noexcept;

}  // namespace kelvane
