#include "dst/daylight_rule.h"

#include "calendar/date_arithmetic.h"
#include "calendar/time_packing.h"
#include "calendar/week_rule.h"
#include "platform/platform.h"

namespace kelvane {
namespace {
// A moment of no particular year, to the hour.
SYSTEMTIME Instant(std::uint16_t month, std::uint16_t day, std::uint16_t hour) noexcept {
    SYSTEMTIME t{};
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    return t;
}

SYSTEMTIME Changeover(std::uint16_t year, std::uint16_t month, std::uint16_t week, std::uint16_t dayOfWeek,
                      std::uint16_t hour) noexcept {
    return Instant(month, NthWeekdayOfMonth(year, month, week, dayOfWeek), hour);
}
}  // namespace

std::uint32_t RuleStateAt(const TZInfo &zone, const SYSTEMTIME &moment) noexcept {
    const SYSTEMTIME m = Instant(moment.wMonth, moment.wDay, moment.wHour);
    const SYSTEMTIME d = Changeover(moment.wYear, zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour);
    const SYSTEMTIME s = Changeover(moment.wYear, zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour);
    const bool fromD = CompareTimes(d, m) <= 0, beforeS = CompareTimes(m, s) < 0;
    // The order of the two instants, not of the months, tells the kind of rule.
    if (CompareTimes(d, s) <= 0) return fromD && beforeS ? 1 : 0;
    return fromD || beforeS ? 1 : 0;
}

std::uint32_t DaylightStateOn(const TZInfo &zone, const SYSTEMTIME &moment) noexcept {
    return zone.StdMonth == zone.DltMonth ? 0 : RuleStateAt(zone, moment);
}

namespace {
// The time minutes of bias before utc; the UTC time itself if the calendar cannot move it.
SYSTEMTIME LocalTime(const SYSTEMTIME &utc, std::int64_t bias) noexcept {
    SYSTEMTIME local = utc;
    const std::int64_t seconds = -bias * 60;
    if (seconds >= INT32_MIN && seconds <= INT32_MAX) MoveBySeconds(local, static_cast<std::int32_t>(seconds));
    return local;
}
}  // namespace

std::uint32_t RuleStateAtUtc(const TZInfo &zone, const SYSTEMTIME &utc) noexcept {
    const std::int64_t standardBias = static_cast<std::int64_t>(zone.Offset) + zone.StdOffSet;
    if (RuleStateAt(zone, LocalTime(utc, standardBias)) == 0) return 0;
    return RuleStateAt(zone, LocalTime(utc, static_cast<std::int64_t>(zone.Offset) + zone.DltOffset));
}

std::uint32_t DaylightStateAtUtc(const TZInfo &zone, const SYSTEMTIME &utc) noexcept {
    return zone.StdMonth == zone.DltMonth ? 0 : RuleStateAtUtc(zone, utc);
}

std::uint32_t DaylightStateNow(const TZInfo &zone) noexcept {
    if (zone.StdMonth == 0 && zone.DltMonth == 0) return 0;
    SYSTEMTIME utc{};
    CurrentPlatform().GetSystemTime(&utc);
    return RuleStateAtUtc(zone, utc);
}

}  // namespace kelvane
