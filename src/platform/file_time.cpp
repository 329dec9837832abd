#include "platform/file_time.h"

namespace kelvane {
namespace {
constexpr std::int64_t kFirstYear = 1601;
constexpr std::int64_t kLastYear = 30827;
constexpr std::int64_t kSecondsPerDay = 86400;

bool IsLeap(std::int64_t y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned MonthLength(std::int64_t y, unsigned m) noexcept {
    static constexpr unsigned kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kLengths[m - 1];
}

std::int64_t EpochDays1601() noexcept { return DaysFromCivil(kFirstYear, 1, 1); }
}  // namespace

// Howard Hinnant's days-from-civil algorithm over 400-year eras.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t *year, unsigned *month, unsigned *day) noexcept {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = doy - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<std::int64_t>(yoe) + era * 400 + (*month <= 2);
}

bool CivilToFileTime(const SYSTEMTIME &t, std::uint64_t *ticks) noexcept {
    if (t.wYear < kFirstYear || t.wYear > kLastYear || t.wMonth < 1 || t.wMonth > 12) return false;
    if (t.wDay < 1 || t.wDay > MonthLength(t.wYear, t.wMonth)) return false;
    if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 || t.wMilliseconds > 999) return false;
    const std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay) - EpochDays1601();
    const std::int64_t seconds = days * kSecondsPerDay + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
    *ticks = static_cast<std::uint64_t>(seconds) * kTicksPerSecond + t.wMilliseconds * 10'000ULL;
    return true;
}

bool FileTimeToCivil(std::uint64_t ticks, SYSTEMTIME *t) noexcept {
    const auto seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
    const std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days + EpochDays1601(), &year, &month, &day);
    if (year > kLastYear) return false;
    const std::int64_t rest = seconds % kSecondsPerDay;
    t->wYear = static_cast<std::uint16_t>(year);
    t->wMonth = static_cast<std::uint16_t>(month);
    t->wDay = static_cast<std::uint16_t>(day);
    t->wDayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
    t->wHour = static_cast<std::uint16_t>(rest / 3600);
    t->wMinute = static_cast<std::uint16_t>(rest / 60 % 60);
    t->wSecond = static_cast<std::uint16_t>(rest % 60);
    t->wMilliseconds = static_cast<std::uint16_t>(ticks % kTicksPerSecond / 10'000);
    return true;
}

}  // namespace kelvane
