#include "support/parsed_once_device.h"

#include "platform/device_clock.h"

namespace kelvane::test {

const DeviceState &ParsedOnceDevice::Parsed() noexcept {
    if (parsed_ && parsedAt_ == DeviceFileChanges()) return state_;
    TZChar path[kPathUnits];
    state_ = DeviceState{};
    readable_ = DataFilePath(kDeviceFileName, path, kPathUnits) != 0 && ReadDeviceState(*this, path, &state_);
    parsed_ = true;
    parsedAt_ = DeviceFileChanges();
    return state_;
}

// The answers as SimulatedDevice gives them, from the kept parse.
std::uint32_t ParsedOnceDevice::GetTimeZoneInformation(TimeZoneInformation *info) noexcept {
    const DeviceState &state = Parsed();
    *info = state.zone;
    return readable_ ? ZoneStateAt(state, LocalClock(state, HostUtcSeconds())) : kTimeZoneIdUnknown;
}

std::uint16_t ParsedOnceDevice::GetUserDefaultUILanguage() noexcept {
    const DeviceState &state = Parsed();
    return readable_ ? state.uiLanguage : 0;
}

}  // namespace kelvane::test
