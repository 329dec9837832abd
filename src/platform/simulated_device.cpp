#include "platform/simulated_device.h"

#include "base/text.h"
#include "platform/device_clock.h"
#include "platform/device_state.h"
#include "platform/file_time.h"
#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane {

namespace {
// The directory of an executable's path; empty for an empty path.
std::string DirectoryOf(const std::string &executable) {
    if (executable.empty()) return executable;
    const auto slash = executable.find_last_of(static_cast<char>(host::kSeparator));
    return slash == std::string::npos ? std::string(".") : executable.substr(0, slash == 0 ? 1 : slash);
}
}  // namespace

SimulatedDevice::SimulatedDevice(const std::string &executablePath)
    : HostFilesPlatform(DirectoryOf(executablePath)) {}

std::string SimulatedDevice::ConfigPath() const { return DataFileUtf8(kDeviceFileName); }

bool SimulatedDevice::Load(DeviceState *state) noexcept {
    TZChar path[kPathUnits];
    if (DataFilePath(kDeviceFileName, path, kPathUnits) != 0) return ReadDeviceState(*this, path, state);
    *state = DeviceState{};
    return false;
}

bool SimulatedDevice::Store(const DeviceState &state) noexcept {
    TZChar path[kPathUnits];
    return DataFilePath(kDeviceFileName, path, kPathUnits) != 0 && WriteDeviceState(*this, path, state);
}

ClockKind SimulatedDevice::KeptClock() noexcept {
    DeviceState state;
    Load(&state);
    return state.keeps;
}

// A device.ini that cannot be read gives the host's UTC: the platform's
// clock has no way to report a failure.
void SimulatedDevice::GetSystemTime(SYSTEMTIME *utc) noexcept {
    DeviceState state;
    Load(&state);
    *utc = SystemTimeOf(UtcClock(state, HostUtcSeconds()));
}

bool SimulatedDevice::SetSystemTime(const SYSTEMTIME &utc) noexcept try {
    std::uint64_t ticks = 0;
    DeviceState state;
    if (!CivilToFileTime(utc, &ticks) || !Load(&state)) return false;
    const std::int64_t host = HostUtcSeconds();
    SetLocalClock(state, LocalTimeOf(state, SecondsOf(utc)), host);
    return Store(state);
} catch (...) {
    return false;
}

bool SimulatedDevice::SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept {
    return CivilToFileTime(time, ticks);
}

bool SimulatedDevice::FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept {
    return FileTimeToCivil(ticks, time);
}

std::uint32_t SimulatedDevice::GetTimeZoneInformation(TimeZoneInformation *info) noexcept {
    DeviceState state;
    const bool readable = Load(&state);
    *info = state.zone;
    return readable ? ZoneStateAt(state, LocalClock(state, HostUtcSeconds())) : kTimeZoneIdUnknown;
}

bool SimulatedDevice::StoreZone(const TimeZoneInformation &info, bool keepUtc) noexcept try {
    DeviceState state;
    if (!Load(&state) || state.failSetTimeZone) return false;
    const std::int64_t host = HostUtcSeconds();
    const std::int64_t utc = UtcClock(state, host);
    SetZone(state, info);
    if (keepUtc || state.keeps == ClockKind::Utc) SetLocalClock(state, LocalTimeOf(state, utc), host);
    return Store(state);
} catch (...) {
    return false;
}

// Setting the zone alone leaves a local clock where it was, so UTC moves;
// a clock that keeps UTC shows the new local time instead.
bool SimulatedDevice::SetTimeZoneInformation(const TimeZoneInformation &info) noexcept {
    return StoreZone(info, false);
}

bool SimulatedDevice::ApplyTimeZone(const TimeZoneInformation &info) noexcept { return StoreZone(info, true); }

std::uint16_t SimulatedDevice::GetUserDefaultUILanguage() noexcept {
    DeviceState state;
    return Load(&state) ? state.uiLanguage : 0;
}

bool SimulatedDevice::OpenClockKey(ClockKey *key) noexcept {
    DeviceState state;
    if (!Load(&state) || !state.clockKeyExists) return false;
    *key = 1;
    return true;
}

bool SimulatedDevice::SetClockValue(ClockKey, const TZChar *name, std::uint32_t value) noexcept try {
    DeviceState state;
    if (!Load(&state) || state.failRegistrySet) return false;
    SetRegistryValue(state, ToUtf8(ViewOf(name, 64)), value);
    return Store(state);
} catch (...) {
    return false;
}

void SimulatedDevice::CloseClockKey(ClockKey) noexcept {}

}  // namespace kelvane
