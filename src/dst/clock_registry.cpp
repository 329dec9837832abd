#include "dst/clock_registry.h"

#include "platform/scoped_file.h"

namespace kelvane {

Result SetClockDST(std::uint32_t autoDst, std::uint32_t homeDst) noexcept {
    Platform &platform = CurrentPlatform();
    const ScopedClockKey key(platform);
    if (!key.IsOpen()) return Result::Registry;
    const bool set = platform.SetClockValue(key.Get(), kAutoDstValue, autoDst != 0 ? 1 : 0) &&
                     platform.SetClockValue(key.Get(), kHomeDstValue, homeDst != 0 ? 1 : 0);
    return set ? Result::Ok : Result::Registry;
}

}  // namespace kelvane
