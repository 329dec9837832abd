// Moving a time by seconds through the platform's 64-bit file time.
#include "calendar/date_arithmetic.h"

#include "platform/platform.h"

namespace kelvane {

bool MoveBySeconds(SYSTEMTIME &time, std::int32_t seconds) noexcept {
    Platform &platform = CurrentPlatform();
    std::uint64_t ticks = 0;
    if (!platform.SystemTimeToFileTime(time, &ticks)) return false;
    const std::int64_t delta = static_cast<std::int64_t>(seconds) * 10'000'000;
    if (delta < 0 && ticks < static_cast<std::uint64_t>(-delta)) return false;
    SYSTEMTIME moved{};
    if (!platform.FileTimeToSystemTime(ticks + static_cast<std::uint64_t>(delta), &moved)) return false;
    time = moved;
    return true;
}

}  // namespace kelvane
