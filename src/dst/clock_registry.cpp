#include "dst/clock_registry.h"

#include "platform/platform.h"

namespace kelvane {

Result SetClockDST(std::uint32_t autoDst, std::uint32_t homeDst) noexcept {
    Platform &platform = CurrentPlatform();
    ClockKey key = 0;
    if (!platform.OpenClockKey(&key)) return Result::Registry;
    bool set = platform.SetClockValue(key, kAutoDstValue, autoDst != 0 ? 1 : 0);
    if (set) set = platform.SetClockValue(key, kHomeDstValue, homeDst != 0 ? 1 : 0);
    platform.CloseClockKey(key);
    return set ? Result::Ok : Result::Registry;
}

}  // namespace kelvane
