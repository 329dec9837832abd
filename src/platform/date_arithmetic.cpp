// Moving a time by seconds through the platform's 64-bit file time. It lives
// with the platform, not with the calendar below it: the calendar includes
// nothing of the engine.
#include "Kelvane.h"
#include "platform/platform.h"

using namespace kelvane;

// A time the calendar cannot represent (an invalid date, or a result before
// 1601 or after 30827) gives 0 and the time stays as it was.
extern "C" uint32_t CalcDateTime(SYSTEMTIME *time, int32_t seconds) {
    if (time == nullptr) return 0;
    Platform &platform = CurrentPlatform();
    std::uint64_t ticks = 0;
    if (!platform.SystemTimeToFileTime(*time, &ticks)) return 0;
    const std::int64_t delta = static_cast<std::int64_t>(seconds) * 10'000'000;
    if (delta < 0 && ticks < static_cast<std::uint64_t>(-delta)) return 0;
    SYSTEMTIME moved{};
    if (!platform.FileTimeToSystemTime(ticks + static_cast<std::uint64_t>(delta), &moved)) return 0;
    *time = moved;
    return 1;
}
