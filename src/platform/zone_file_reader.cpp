#include "platform/zone_file_reader.h"

#include "platform/file_time.h"
#include "platform/tzif_file.h"

namespace kelvane {
namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) noexcept { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

void CopyName(TZChar (&dest)[32], std::string_view name) noexcept {
    std::size_t i = 0;
    for (; i < name.size() && i + 1 < 32; ++i) dest[i] = static_cast<TZChar>(static_cast<unsigned char>(name[i]));
    dest[i] = 0;
}

// The record's changeover nearest a rule's date: the weekday and hour of an
// "Mm.w.d/time" moved by whole days when time lies outside the day; a day of
// the year as the weekday and week it falls on in year.
SYSTEMTIME ChangeoverOf(const PosixDate &date, std::int64_t year) noexcept {
    SYSTEMTIME t{};
    std::int64_t secondsOfDay = 0;
    if (date.form == DateForm::MonthWeekDay) {
        const std::int64_t dayShift = FloorDivide(date.time, kSecondsPerDay);
        secondsOfDay = date.time - dayShift * kSecondsPerDay;
        t.wMonth = static_cast<std::uint16_t>(date.month);
        t.wDay = static_cast<std::uint16_t>(date.week);
        t.wDayOfWeek = static_cast<std::uint16_t>(((date.weekday + dayShift) % 7 + 7) % 7);
    } else {
        const std::int64_t local = LocalChangeTime(date, year);
        const std::int64_t days = FloorDivide(local, kSecondsPerDay);
        secondsOfDay = local - days * kSecondsPerDay;
        std::int64_t y = 0;
        unsigned month = 0, day = 0;
        CivilFromDays(days, &y, &month, &day);
        t.wMonth = static_cast<std::uint16_t>(month);
        t.wDay = static_cast<std::uint16_t>((day - 1) / 7 + 1 > 5 ? 5 : (day - 1) / 7 + 1);
        t.wDayOfWeek = static_cast<std::uint16_t>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    }
    t.wHour = static_cast<std::uint16_t>(secondsOfDay / 3600);
    t.wMinute = static_cast<std::uint16_t>(secondsOfDay / 60 % 60);
    return t;
}

// Minutes to add to local time for UTC, of an offset in seconds east.
std::int32_t BiasOf(std::int32_t secondsEast) noexcept { return -secondsEast / 60; }

void DescribeRule(const PosixRule &rule, std::int64_t year, TimeZoneInformation *info) noexcept {
    info->Bias = BiasOf(rule.standardOffset);
    CopyName(info->StandardName, rule.standardName);
    if (!rule.hasDaylight) return;
    info->DaylightBias = BiasOf(rule.daylightOffset) - info->Bias;
    CopyName(info->DaylightName, rule.daylightName);
    info->DaylightDate = ChangeoverOf(rule.start, year);
    info->StandardDate = ChangeoverOf(rule.end, year);
}
}  // namespace

std::uint32_t DescribeZoneFile(std::string_view bytes, std::int64_t instant, TimeZoneInformation *info) noexcept {
    TzifView zone;
    PosixRule rule;
    if (!zone.Parse(bytes)) return kTimeZoneIdUnknown;
    const bool hasFooter = !zone.Footer().empty();
    if (hasFooter && !ParsePosixRule(zone.Footer(), &rule)) return kTimeZoneIdUnknown;
    const LocalType now = ZoneTypeAt(zone, hasFooter ? &rule : nullptr, instant);
    TimeZoneInformation described{};
    if (hasFooter) {
        DescribeRule(rule, YearOfInstant(instant), &described);
    } else {
        described.Bias = BiasOf(now.utcOffset);
    }
    const bool daylight = hasFooter && rule.hasDaylight && now.isDaylight;
    // The bias in force now is the file's own, whatever the rule says of other times.
    std::int32_t &stateBias = daylight ? described.DaylightBias : described.StandardBias;
    stateBias = BiasOf(now.utcOffset) - described.Bias;
    *info = described;
    return daylight ? kTimeZoneIdDaylight : kTimeZoneIdStandard;
}

void DescribeUtc(TimeZoneInformation *info) noexcept {
    *info = TimeZoneInformation{};
    CopyName(info->StandardName, "UTC");
}

}  // namespace kelvane
