// The day of the n-th weekday of a month, as the daylight-saving rules name
// their changeover days. Weeks 1 to 4 give that occurrence; week 5 (and 0,
// which never matches the count) gives the last one, because the search stops
// as soon as the next step would leave the month.
#include "Kelvane.h"
#include "calendar/calendar_rules.h"

using namespace kelvane;

extern "C" uint16_t GetDateFromWeekInfo(uint16_t year, uint16_t month, uint16_t week, uint16_t dayOfWeek) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12 || week > 5 ||
        dayOfWeek > 6)
        return 0;
    const uint32_t length = MonthLength(year, month);
    uint32_t day = 1, matches = 0;
    while (day <= length) {
        if (ZellerDayOfWeek(year, month, day) != dayOfWeek) {
            ++day;
            continue;
        }
        if (++matches == week) break;
        day += 7;
        if (day + 7 > length) break;
    }
    return static_cast<uint16_t>(day);
}
