#include "platform/platform.h"

#include <atomic>

#include "platform/host_files.h"
#include "platform/simulated_device.h"
#include "platform/system_platform.h"

namespace kelvane {
namespace {
std::atomic<Platform *> installed{nullptr};

// Whether this thread is inside an export call, and the default platform
// chosen in it (null until first asked for).
thread_local bool inCall = false;
thread_local Platform *chosenInCall = nullptr;

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
bool HoldsDeviceFile(const HostFilesPlatform &platform) noexcept {
    TZChar path[kPathUnits];
    return platform.DataFilePath(kDeviceFileName, path, kPathUnits) != 0 && host::Exists(path);
}
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
    if (Platform *platform = installed.load(); platform != nullptr) return *platform;
    if (!inCall) return testing::DefaultPlatform();
    if (chosenInCall == nullptr) chosenInCall = &testing::DefaultPlatform();
    return *chosenInCall;
}

PlatformCallScope::PlatformCallScope() noexcept : outermost_(!inCall) { inCall = true; }

PlatformCallScope::~PlatformCallScope() {
    if (!outermost_) return;
    inCall = false;
    chosenInCall = nullptr;
}

}  // namespace kelvane
