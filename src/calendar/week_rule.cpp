// Week 5 gives the last occurrence because the search stops as soon as the
// next step would leave the month.
#include "calendar/week_rule.h"

#include "calendar/calendar_rules.h"

namespace kelvane {

std::uint16_t NthWeekdayOfMonth(std::uint16_t year, std::uint16_t month, std::uint16_t week,
                                std::uint16_t dayOfWeek) noexcept {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12 || week > 5 ||
        dayOfWeek > 6)
        return 0;
    const std::uint32_t length = MonthLength(year, month);
    std::uint32_t day = 1, matches = 0;
    while (day <= length) {
        if (ZellerDayOfWeek(year, month, day) != dayOfWeek) {
            ++day;
            continue;
        }
        if (++matches == week) break;
        day += 7;
        if (day + 7 > length) break;
    }
    return static_cast<std::uint16_t>(day);
}

}  // namespace kelvane
