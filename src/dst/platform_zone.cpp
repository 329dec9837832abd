#include "dst/platform_zone.h"

#include "names/zone_descriptions.h"
#include "base/text.h"

namespace kelvane {
namespace {
SYSTEMTIME RecurringDate(std::uint16_t month, std::uint16_t week, std::uint16_t dayOfWeek,
                         std::uint16_t hour) noexcept {
    SYSTEMTIME t{};
    t.wMonth = month;
    t.wDayOfWeek = dayOfWeek;
    t.wDay = week;
    t.wHour = hour;
    return t;
}

constexpr std::int64_t kMaxBiasMinutes = 1440;

bool WithinADay(std::int64_t minutes) noexcept { return minutes >= -kMaxBiasMinutes && minutes <= kMaxBiasMinutes; }

bool ValidChangeover(std::uint16_t month, std::uint16_t occurrence, std::uint16_t weekday,
                     std::uint16_t hour) noexcept {
    return month <= 12 && occurrence <= 5 && weekday <= 6 && hour <= 23;
}

bool SameDate(const SYSTEMTIME &a, const SYSTEMTIME &b) noexcept {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek && a.wDay == b.wDay &&
           a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond &&
           a.wMilliseconds == b.wMilliseconds;
}
}  // namespace

TimeZoneInformation ZoneInformation(const TZInfo &zone, const TZDesc &names) noexcept {
    TimeZoneInformation info{};
    info.Bias = zone.Offset;
    info.StandardBias = zone.StdOffSet;
    info.DaylightBias = zone.DltOffset;
    info.StandardDate = RecurringDate(zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour);
    info.DaylightDate = RecurringDate(zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour);
    CopyText(info.StandardName, ViewOf(names.Desc3, sizeof names.Desc3 / sizeof names.Desc3[0]));
    CopyText(info.DaylightName, ViewOf(names.Desc4, sizeof names.Desc4 / sizeof names.Desc4[0]));
    return info;
}

bool Applicable(const TZInfo &zone) noexcept {
    const std::int64_t offset = zone.Offset;
    if (!WithinADay(offset) || !WithinADay(offset + zone.StdOffSet) || !WithinADay(offset + zone.DltOffset))
        return false;
    const bool hasRule = zone.StdMonth != 0 || zone.DltMonth != 0;
    return !hasRule || (ValidChangeover(zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour) &&
                        ValidChangeover(zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour));
}

bool HoldsZone(const TimeZoneInformation &platformZone, const TZInfo &zone) noexcept {
    const TimeZoneInformation wanted = ZoneInformation(zone, TZDesc{});
    return platformZone.Bias == wanted.Bias && platformZone.StandardBias == wanted.StandardBias &&
           platformZone.DaylightBias == wanted.DaylightBias &&
           SameDate(platformZone.StandardDate, wanted.StandardDate) &&
           SameDate(platformZone.DaylightDate, wanted.DaylightDate);
}

Result AlignPlatformZone(RecordReader &reader, std::uint16_t tzid, const TZInfo &zone) noexcept {
    Platform &platform = CurrentPlatform();
    TimeZoneInformation current{};
    if (platform.GetTimeZoneInformation(&current) == kTimeZoneIdUnknown) return Result::State;
    if (HoldsZone(current, zone)) return Result::Ok;
    TZDesc names{};  // empty names for a zone no file names
    if (const Result r = ReadZoneDescriptions(reader, &tzid, 1, &names); r != Result::Ok) return r;
    if (!Applicable(zone)) return Result::SetTimeZone;
    return platform.ApplyTimeZone(ZoneInformation(zone, names)) ? Result::Ok : Result::SetTimeZone;
}

}  // namespace kelvane
