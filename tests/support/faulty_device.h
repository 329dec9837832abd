// The simulated device with file writes that fail on demand.
#pragma once

#include <cstddef>

#include "platform/simulated_device.h"

namespace kelvane::test {

class FaultyDevice : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    bool failCreate = false;
    std::ptrdiff_t writableBytes = -1;  // bytes accepted before writes fail; -1: all
    bool failFlush = false;
    bool failReplace = false;

    FileHandle CreateNewFile(const TZChar *path) noexcept override {
        return failCreate ? kNoFile : SimulatedDevice::CreateNewFile(path);
    }
    bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept override {
        if (writableBytes >= 0) {
            if (static_cast<std::size_t>(writableBytes) < bytes) return false;
            writableBytes -= static_cast<std::ptrdiff_t>(bytes);
        }
        return SimulatedDevice::WriteFile(file, data, bytes);
    }
    bool FlushFile(FileHandle file) noexcept override { return !failFlush && SimulatedDevice::FlushFile(file); }
    bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept override {
        return !failReplace && SimulatedDevice::ReplaceFile(source, target);
    }
};

}  // namespace kelvane::test
