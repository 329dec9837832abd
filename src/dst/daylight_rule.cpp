#include "dst/daylight_rule.h"

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
    return Instant(month, GetDateFromWeekInfo(year, month, week, dayOfWeek), hour);
}
}  // namespace

std::uint32_t RuleStateAt(const TZInfo &zone, const SYSTEMTIME &moment) noexcept {
    const SYSTEMTIME m = Instant(moment.wMonth, moment.wDay, moment.wHour);
    const SYSTEMTIME d = Changeover(moment.wYear, zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour);
    const SYSTEMTIME s = Changeover(moment.wYear, zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour);
    if (zone.StdMonth > zone.DltMonth) return CompareDateTime(&d, &m) <= 0 && CompareDateTime(&m, &s) < 0 ? 1 : 0;
    return CompareDateTime(&m, &d) > 0 || CompareDateTime(&m, &s) <= 0 ? 1 : 0;
}

std::uint32_t DaylightStateOn(const TZInfo &zone, const SYSTEMTIME &moment) noexcept {
    return zone.StdMonth == zone.DltMonth ? 0 : RuleStateAt(zone, moment);
}

std::uint32_t DaylightStateNow(const TZInfo &zone) noexcept {
    if (zone.StdMonth == 0 && zone.DltMonth == 0) return 0;
    SYSTEMTIME utc{};
    CurrentPlatform().GetSystemTime(&utc);
    return RuleStateAt(zone, utc);
}

}  // namespace kelvane
