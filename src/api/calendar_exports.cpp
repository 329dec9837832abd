// The calendar helpers. A refusal is 0 here (0xFFFFFFFF for the weekday),
// not a result code.
#include "Kelvane.h"
#include "calendar/date_arithmetic.h"
#include "calendar/date_checks.h"
#include "calendar/time_packing.h"
#include "calendar/week_rule.h"

using namespace kelvane;

extern "C" uint32_t GetDayNumOfMonth(const TZDate *date) { return date != nullptr ? DaysInMonthOf(*date) : 0; }

extern "C" uint32_t IsDateValid(const TZDate *date) { return date != nullptr && IsValidDate(*date) ? 1 : 0; }

extern "C" uint32_t GetDayOfWeek(const TZDate *date) { return date != nullptr ? DayOfWeekOf(*date) : 0xFFFFFFFFu; }

extern "C" uint16_t GetDateFromWeekInfo(uint16_t year, uint16_t month, uint16_t week, uint16_t dayOfWeek) {
    return NthWeekdayOfMonth(year, month, week, dayOfWeek);
}

extern "C" uint32_t CalcDateTime(SYSTEMTIME *time, int32_t seconds) {
    return time != nullptr && MoveBySeconds(*time, seconds) ? 1 : 0;
}

// An absent time orders before a present one; two absent times are equal.
extern "C" int32_t CompareDateTime(const SYSTEMTIME *a, const SYSTEMTIME *b) {
    if (a == nullptr || b == nullptr) return Order(a != nullptr, b != nullptr);
    return CompareTimes(*a, *b);
}

extern "C" uint32_t TimeConvert_SYSTEMTIME_To_DWORD(const SYSTEMTIME *time, uint32_t *date, uint16_t *hourMinute) {
    if (time == nullptr || date == nullptr) return 0;
    *date = PackDate(*time);
    if (hourMinute != nullptr) *hourMinute = PackTime(*time);
    return 1;
}

extern "C" uint32_t TimeConvert_DWORD_To_SYSTEMTIME(const uint32_t *date, const uint16_t *hourMinute,
                                                    SYSTEMTIME *time) {
    if (date == nullptr || time == nullptr) return 0;
    UnpackTime(*date, hourMinute, *time);
    return 1;
}
