#include "calendar/time_packing.h"

namespace kelvane {

std::uint32_t PackDate(const SYSTEMTIME &t) noexcept {
    return (static_cast<std::uint32_t>(t.wYear) << 16) | (static_cast<std::uint32_t>(t.wMonth) << 8) | t.wDay;
}

std::uint16_t PackTime(const SYSTEMTIME &t) noexcept {
    return static_cast<std::uint16_t>(((t.wHour & 0xFFu) << 8) | t.wMinute);
}

void UnpackTime(std::uint32_t date, const std::uint16_t *hourMinute, SYSTEMTIME &time) noexcept {
    time.wYear = static_cast<std::uint16_t>(date >> 16);
    time.wMonth = static_cast<std::uint16_t>((date >> 8) & 0xFF);
    time.wDay = static_cast<std::uint16_t>(date & 0xFF);
    time.wHour = hourMinute != nullptr ? static_cast<std::uint16_t>(*hourMinute >> 8) : 0;
    time.wMinute = hourMinute != nullptr ? static_cast<std::uint16_t>(*hourMinute & 0xFF) : 0;
    time.wSecond = 0;
    time.wMilliseconds = 0;
}

std::int32_t CompareTimes(const SYSTEMTIME &a, const SYSTEMTIME &b) noexcept {
    const std::int32_t byDate = Order(PackDate(a), PackDate(b));
    return byDate != 0 ? byDate : Order(PackTime(a), PackTime(b));
}

}  // namespace kelvane
