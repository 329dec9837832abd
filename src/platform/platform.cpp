#include "platform/platform.h"

#include <atomic>

#include "platform/simulated_device.h"

namespace kelvane {
namespace {
std::atomic<Platform *> installed{nullptr};

Platform &DefaultPlatform() noexcept {
    // Holds nothing but the executable's path; device state is reread at every call.
    static SimulatedDevice device;
    return device;
}
}  // namespace

Platform &CurrentPlatform() noexcept {
    Platform *platform = installed.load();
    return platform != nullptr ? *platform : DefaultPlatform();
}

namespace testing {
void InstallPlatform(Platform *platform) noexcept { installed = platform; }
}  // namespace testing

}  // namespace kelvane
