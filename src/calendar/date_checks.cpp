// Days in a month, date validity and day of week.
#include "Kelvane.h"
#include "calendar/calendar_rules.h"

using namespace kelvane;

extern "C" uint32_t GetDayNumOfMonth(const TZDate *date) {
    if (date == nullptr) return 0;
    // The day is only checked against 31, so 31 April still gives April's 30.
    if (date->year < kFirstCalendarYear || date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31)
        return 0;
    return MonthLength(date->year, date->month);
}

extern "C" uint32_t IsDateValid(const TZDate *date) {
    if (date == nullptr) return 0;
    const uint32_t length = GetDayNumOfMonth(date);
    const bool valid = date->year >= kFirstCalendarYear && date->year <= kLastCalendarYear && length != 0 &&
                       date->day <= length;
    return valid ? 1 : 0;
}

extern "C" uint32_t GetDayOfWeek(const TZDate *date) {
    if (IsDateValid(date) == 0) return 0xFFFFFFFFu;
    return Weekday(date->year, date->month, date->day);
}
