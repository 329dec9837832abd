#include "platform/platform.h"

#include <atomic>

#if defined(_WIN32)
#include "platform/win32_platform.h"
#else
#include "platform/simulated_device.h"
#endif

namespace kelvane {
namespace {
std::atomic<Platform *> installed{nullptr};

#if defined(_WIN32)
Platform &DefaultPlatform() noexcept {
    // Windows is the engine's own platform: the real calls.
    static Win32Platform system;
    return system;
}
#else
Platform &DefaultPlatform() noexcept {
    // Holds nothing but the executable's path; device state is reread at every call.
    static SimulatedDevice device;
    return device;
}
#endif
}  // namespace

bool Platform::ApplyTimeZone(const TimeZoneInformation &info) noexcept {
    if (KeptClock() == ClockKind::Utc) return SetTimeZoneInformation(info);
    TimeZoneInformation previous{};
    GetTimeZoneInformation(&previous);
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    if (!SetTimeZoneInformation(info)) return false;
    if (SetSystemTime(utc)) return true;  // the local clock now shows that UTC time in the new zone
    SetTimeZoneInformation(previous);
    return false;
}

Platform &CurrentPlatform() noexcept {
    Platform *platform = installed.load();
    return platform != nullptr ? *platform : DefaultPlatform();
}

namespace testing {
void InstallPlatform(Platform *platform) noexcept { installed = platform; }
}  // namespace testing

}  // namespace kelvane
