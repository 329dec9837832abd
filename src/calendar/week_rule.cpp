// The day of the n-th weekday of a month, checked for the calendar's range.
#include "calendar/week_rule.h"

#include "calendar/calendar_rules.h"

namespace kelvane {

std::uint16_t NthWeekdayOfMonth(std::uint16_t year, std::uint16_t month, std::uint16_t week,
                                std::uint16_t dayOfWeek) noexcept {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12 || week > 5 ||
        dayOfWeek > 6)
        return 0;
    return static_cast<std::uint16_t>(DayOfNthWeekday(year, month, week, dayOfWeek));
}

}  // namespace kelvane
