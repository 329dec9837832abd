// The simulated device with file writes (and reads) that fail on demand.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/simulated_device.h"

namespace kelvane::test {

class FaultyDevice : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    bool failOpenForWriting = false;
    std::ptrdiff_t writableBytes = -1;  // bytes accepted before writes fail; -1: all
    bool failFlush = false;
    bool failReplace = false;
    std::ptrdiff_t readableBytes = -1;  // bytes read before a read fails; -1: all

    std::int64_t ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept override {
        if (readableBytes < 0) return SimulatedDevice::ReadFile(file, buffer, bytes);
        if (readableBytes == 0) return -1;
        const std::size_t allowed = bytes < static_cast<std::size_t>(readableBytes) ? bytes : readableBytes;
        const std::int64_t n = SimulatedDevice::ReadFile(file, buffer, allowed);
        if (n > 0) readableBytes -= n;
        return n;
    }

    FileHandle OpenForWriting(const TZChar *path) noexcept override {
        return failOpenForWriting ? kNoFile : SimulatedDevice::OpenForWriting(path);
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
