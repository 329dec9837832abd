// The day of the n-th weekday of a month, as the daylight-saving rules name
// their changeover days: weeks 1 to 4 give that occurrence, week 5 and week 0
// the last one.
#include "Kelvane.h"
#include "calendar/calendar_rules.h"

using namespace kelvane;

extern "C" uint16_t GetDateFromWeekInfo(uint16_t year, uint16_t month, uint16_t week, uint16_t dayOfWeek) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12 || week > 5 ||
        dayOfWeek > 6)
        return 0;
    return static_cast<uint16_t>(NthWeekdayOfMonth(year, month, week, dayOfWeek));
}
