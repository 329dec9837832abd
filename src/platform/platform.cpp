#include "platform/platform.h"

#include <atomic>

#include "platform/host_files.h"
#include "platform/simulated_device.h"
#include "platform/system_platform.h"

namespace kelvane {
namespace {
std::atomic<Platform *> installed{nullptr};

// Both hold nothing but what they are given: device state and system zone
// are read again at every call.
SystemPlatform &System() noexcept {
    static SystemPlatform system;
    return system;
}

SimulatedDevice &Device() noexcept {
    static SimulatedDevice device;
    return device;
}

// Whether the data directory holds device.ini (a link counts: lstat).
bool HoldsDeviceFile(Platform &platform) noexcept {
    constexpr std::uint32_t kUnits = 4096;
    TZChar path[kUnits];
    std::uint32_t length = platform.DataDirectory(path, kUnits);
    if (length == 0 || length + sizeof kDeviceFileName + 1 > kUnits) return false;
    if (!host::IsSeparator(path[length - 1])) path[length++] = host::kSeparator;
    for (const char c : kDeviceFileName) path[length++] = static_cast<TZChar>(c);
    return host::Exists(path);
}
}  // namespace

namespace testing {
// A data directory that holds device.ini is a simulated device, on every
// system; without it the engine runs on the real system.
Platform &DefaultPlatform() noexcept {
    if (HoldsDeviceFile(System())) return Device();
    return System();
}

void InstallPlatform(Platform *platform) noexcept { installed = platform; }
}  // namespace testing

Platform &CurrentPlatform() noexcept {
    Platform *platform = installed.load();
    return platform != nullptr ? *platform : testing::DefaultPlatform();
}

}  // namespace kelvane
