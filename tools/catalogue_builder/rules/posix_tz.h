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
// Saturday before the last Sunday of March.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane::builder {

enum class DateForm { MonthWeekDay, JulianNoLeap, ZeroBasedDay };

struct PosixDate {
    DateForm form = DateForm::MonthWeekDay;
    unsigned month = 0, week = 0, weekday = 0;  // MonthWeekDay
    unsigned dayOfYear = 0;                     // JulianNoLeap (1 to 365), ZeroBasedDay (0 to 365)
    std::int32_t time = 2 * 3600;               // seconds after local midnight

    // An n-th weekday at a whole hour of the day itself: what the catalogue
    // can hold without conversion.
    bool IsWholeHourWeekday() const;
};

struct PosixTz {
    std::string standardName;
    std::int32_t standardOffset = 0;  // seconds east of UTC
    bool hasDaylight = false;
    std::string daylightName;
    std::int32_t daylightOffset = 0;  // seconds east of UTC
    PosixDate start, end;             // daylight time starts, ends
};

// nullopt when the text is not a complete rule (a daylight time without its
// two dates counts as incomplete: the default dates are implementation-defined).
std::optional<PosixTz> ParsePosixTz(std::string_view text);

// Local seconds since 1970 (of the clock in force before the change) of date in year.
std::int64_t LocalChangeTime(const PosixDate &date, std::int64_t year);

}  // namespace kelvane::builder
