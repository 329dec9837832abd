#include "platform/device_clock.h"

#include <chrono>

#include "calendar/civil_calendar.h"

namespace kelvane {
namespace {
// The transition's local instant in the given year.
std::int64_t TransitionIn(const SYSTEMTIME &rule, std::int64_t year) noexcept {
    const unsigned month = rule.wMonth > 12 ? 12 : rule.wMonth;
    const unsigned day = rule.wYear != 0 ? (rule.wDay == 0 ? 1 : rule.wDay)
                                         : DayOfNthWeekday(year, month, rule.wDay, rule.wDayOfWeek % 7);
    return SecondsFromCivil(rule.wYear != 0 ? rule.wYear : year, month, day, rule.wHour * 3600 + rule.wMinute * 60);
}

std::uint32_t RuleStateAt(const TimeZoneInformation &zone, std::int64_t local) noexcept {
    if (zone.DaylightDate.wMonth == 0 || zone.StandardDate.wMonth == 0) return kTimeZoneIdStandard;
    const std::int64_t year = CivilFromSeconds(local).year;
    const std::int64_t start = TransitionIn(zone.DaylightDate, year), end = TransitionIn(zone.StandardDate, year);
    const bool inDaylight = start < end ? (local >= start && local < end) : (local >= start || local < end);
    return inDaylight ? kTimeZoneIdDaylight : kTimeZoneIdStandard;
}
}  // namespace

std::int64_t HostUtcSeconds() noexcept {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t LocalClock(const DeviceState &state, std::int64_t hostUtc) noexcept {
    return state.frozenClock ? *state.frozenClock : hostUtc + state.clockOffset;
}

std::uint32_t ZoneStateAt(const DeviceState &state, std::int64_t local) noexcept {
    return state.forcedZoneState ? *state.forcedZoneState : RuleStateAt(state.zone, local);
}

std::int64_t BiasIn(const TimeZoneInformation &zone, std::uint32_t zoneState) noexcept {
    return static_cast<std::int64_t>(zone.Bias) +
           (zoneState == kTimeZoneIdDaylight ? zone.DaylightBias : zone.StandardBias);
}

std::int64_t UtcClock(const DeviceState &state, std::int64_t hostUtc) noexcept {
    const std::int64_t local = LocalClock(state, hostUtc);
    return local + 60 * BiasIn(state.zone, ZoneStateAt(state, local));
}

std::int64_t LocalTimeOf(const DeviceState &state, std::int64_t utc) noexcept {
    const std::int64_t standard = utc - 60 * BiasIn(state.zone, kTimeZoneIdStandard);
    const std::int64_t daylight = utc - 60 * BiasIn(state.zone, kTimeZoneIdDaylight);
    if (state.forcedZoneState) return *state.forcedZoneState == kTimeZoneIdDaylight ? daylight : standard;
    const bool inDaylight = RuleStateAt(state.zone, standard) == kTimeZoneIdDaylight &&
                            RuleStateAt(state.zone, daylight) == kTimeZoneIdDaylight;
    return inDaylight ? daylight : standard;
}

SYSTEMTIME SystemTimeOf(std::int64_t seconds) noexcept {
    const CivilTime t = CivilFromSeconds(seconds);
    SYSTEMTIME time{};
    time.wYear = static_cast<std::uint16_t>(t.year);
    time.wMonth = static_cast<std::uint16_t>(t.month);
    time.wDayOfWeek = static_cast<std::uint16_t>(t.weekday);
    time.wDay = static_cast<std::uint16_t>(t.day);
    time.wHour = static_cast<std::uint16_t>(t.hour);
    time.wMinute = static_cast<std::uint16_t>(t.minute);
    time.wSecond = static_cast<std::uint16_t>(t.second);
    return time;
}

std::int64_t SecondsOf(const SYSTEMTIME &time) noexcept {
    return SecondsFromCivil(time.wYear, time.wMonth, time.wDay, time.wHour * 3600 + time.wMinute * 60 + time.wSecond);
}

}  // namespace kelvane
