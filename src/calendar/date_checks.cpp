// Days in a month, date validity and day of week.
#include "calendar/date_checks.h"

#include "calendar/calendar_rules.h"

namespace kelvane {

std::uint32_t DaysInMonthOf(const TZDate &date) noexcept {
    // The day is only checked against 31, so 31 April still gives April's 30.
    if (date.year < kFirstCalendarYear || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return 0;
    return MonthLength(date.year, date.month);
}

bool IsValidDate(const TZDate &date) noexcept {
    const std::uint32_t length = DaysInMonthOf(date);
    return date.year >= kFirstCalendarYear && date.year <= kLastCalendarYear && length != 0 && date.day <= length;
}

std::uint32_t DayOfWeekOf(const TZDate &date) noexcept {
    if (!IsValidDate(date)) return 0xFFFFFFFFu;
    return ZellerDayOfWeek(date.year, date.month, date.day);
}

}  // namespace kelvane
