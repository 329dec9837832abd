#include "platform/file_time.h"

#include "calendar/civil_calendar.h"

namespace kelvane {
namespace {
constexpr std::int64_t kFirstYear = 1601;
constexpr std::int64_t kLastYear = 30827;
constexpr std::int64_t kEpochSeconds1601 = SecondsFromCivil(kFirstYear, 1, 1);
}  // namespace

bool CivilToFileTime(const SYSTEMTIME &t, std::uint64_t *ticks) noexcept {
    if (t.wYear < kFirstYear || t.wYear > kLastYear || t.wMonth < 1 || t.wMonth > 12) return false;
    if (t.wDay < 1 || t.wDay > MonthLength(t.wYear, t.wMonth)) return false;
    if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 || t.wMilliseconds > 999) return false;
    const std::int64_t seconds =
        SecondsFromCivil(t.wYear, t.wMonth, t.wDay, t.wHour * 3600 + t.wMinute * 60 + t.wSecond) - kEpochSeconds1601;
    *ticks = static_cast<std::uint64_t>(seconds) * kTicksPerSecond + t.wMilliseconds * 10'000ULL;
    return true;
}

bool FileTimeToCivil(std::uint64_t ticks, SYSTEMTIME *t) noexcept {
    const CivilTime c = CivilFromSeconds(static_cast<std::int64_t>(ticks / kTicksPerSecond) + kEpochSeconds1601);
    if (c.year > kLastYear) return false;
    t->wYear = static_cast<std::uint16_t>(c.year);
    t->wMonth = static_cast<std::uint16_t>(c.month);
    t->wDay = static_cast<std::uint16_t>(c.day);
    t->wDayOfWeek = static_cast<std::uint16_t>(c.weekday);
    t->wHour = static_cast<std::uint16_t>(c.hour);
    t->wMinute = static_cast<std::uint16_t>(c.minute);
    t->wSecond = static_cast<std::uint16_t>(c.second);
    t->wMilliseconds = static_cast<std::uint16_t>(ticks % kTicksPerSecond / 10'000);
    return true;
}

}  // namespace kelvane
