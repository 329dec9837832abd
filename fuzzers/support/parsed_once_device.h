// The in-memory device for a harness that varies some other file than
// device.ini: the device's zone and interface language come from one parse
// of device.ini (by the simulated device's own reader), made again only once
// the file may have changed. The device harness, which fuzzes device.ini,
// uses the plain MemoryDevice, which reads it at every call as the simulated
// device does.
//
// Built with coverage, unlike memory_device.cpp: this holds a DeviceState, and
// an inline member of it instantiated in an object built without coverage
// could be the one copy the linker keeps, the engine's uses included.
#pragma once

#include <cstdint>

#include "platform/device_state.h"
#include "support/memory_device.h"

namespace kelvane::test {

class ParsedOnceDevice : public MemoryDevice {
public:
    using MemoryDevice::MemoryDevice;

    std::uint32_t GetTimeZoneInformation(TimeZoneInformation *info) noexcept override;
    std::uint16_t GetUserDefaultUILanguage() noexcept override;

private:
    // device.ini as SimulatedDevice's Load reads it, kept while unchanged.
    const DeviceState &Parsed() noexcept;

    DeviceState state_;
    bool readable_ = false, parsed_ = false;
    std::uint64_t parsedAt_ = 0;  // DeviceFileChanges() when parsed
};

}  // namespace kelvane::test
