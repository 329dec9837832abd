// Packing a time into a 32-bit date (year, month, day) and a 16-bit time
// (hour, minute), by bitwise OR of the shifted fields, and comparing two times
// to the minute through that packing.
#include "Kelvane.h"

namespace {
uint32_t PackDate(const SYSTEMTIME &t) noexcept {
    return (static_cast<uint32_t>(t.wYear) << 16) | (static_cast<uint32_t>(t.wMonth) << 8) | t.wDay;
}

uint16_t PackTime(const SYSTEMTIME &t) noexcept {
    return static_cast<uint16_t>(((t.wHour & 0xFFu) << 8) | t.wMinute);
}

template <typename T>
int32_t Order(T a, T b) noexcept {
    return a > b ? 1 : (a < b ? -1 : 0);
}
}  // namespace

extern "C" uint32_t TimeConvert_SYSTEMTIME_To_DWORD(const SYSTEMTIME *time, uint32_t *date, uint16_t *hourMinute) {
    if (time == nullptr || date == nullptr) return 0;
    *date = PackDate(*time);
    if (hourMinute != nullptr) *hourMinute = PackTime(*time);
    return 1;
}

extern "C" uint32_t TimeConvert_DWORD_To_SYSTEMTIME(const uint32_t *date, const uint16_t *hourMinute,
                                                    SYSTEMTIME *time) {
    if (date == nullptr || time == nullptr) return 0;
    time->wYear = static_cast<uint16_t>(*date >> 16);
    time->wMonth = static_cast<uint16_t>((*date >> 8) & 0xFF);
    time->wDay = static_cast<uint16_t>(*date & 0xFF);
    time->wHour = hourMinute != nullptr ? static_cast<uint16_t>(*hourMinute >> 8) : 0;
    time->wMinute = hourMinute != nullptr ? static_cast<uint16_t>(*hourMinute & 0xFF) : 0;
    time->wSecond = 0;
    time->wMilliseconds = 0;
    return 1;
}

// An absent time orders before a present one; two absent times are equal.
extern "C" int32_t CompareDateTime(const SYSTEMTIME *a, const SYSTEMTIME *b) {
    if (a == nullptr || b == nullptr) return Order(a != nullptr, b != nullptr);
    const int32_t byDate = Order(PackDate(*a), PackDate(*b));
    return byDate != 0 ? byDate : Order(PackTime(*a), PackTime(*b));
}
