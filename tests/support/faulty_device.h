// The simulated device with file operations that fail on demand: either by
// flag, or the n-th call of one operation, counted, so a sweep can make each
// file operation a call makes fail in turn without knowing the call.
//
// The device's own reads and writes of device.ini are counted apart: their
// failure is the platform's (a zone state it cannot tell, a zone or clock
// value it cannot set), so its own codes follow. Reads made to answer the
// clock are not failure points: the platform's clock has no way to fail.
#pragma once

#include <algorithm>
#include <array>
#include <set>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/simulated_device.h"
#include "platform/utf.h"

namespace kelvane::test {

// A close of a file the caller created counts apart: its failure may mean
// the data never reached the disk, so it must never pass unnoticed.
enum FileOp : std::size_t {
    kOpen, kCreate, kRead, kWrite, kFlush, kClose, kCloseWritten, kReplace, kDelete, kSync, kLock, kList,
    kDeviceRead, kDeviceWrite, kFileOps
};
inline constexpr const char *kFileOpNames[kFileOps] = {
    "open", "create", "read", "write", "flush", "close", "close after writing", "replace", "delete",
    "directory sync", "lock", "list", "device.ini open or read", "device.ini write or replace"};

class FaultyDevice : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    // A platform that sets zone and clock in two calls, and its clock refusing to be set.
    bool twoSteps = false, failSetSystemTime = false;
    bool skipDurability = false;  // flushes and directory syncs succeed without reaching the disk
    std::size_t readLimit = 0;    // the most a read returns (0: what is asked), to cut reads short
    std::uint64_t zoneSets = 0, failZoneSetAt = 0;  // ApplyTimeZone calls; the one that fails
    // Calls of each operation so far, and the call (1 = the first) made to fail; 0: none.
    std::array<std::uint64_t, kFileOps> calls{}, failAt{};
    std::int64_t openHandles = 0;       // files and locks handed out and not yet given back

    FileHandle OpenForReading(const TZChar *path) noexcept override {
        const bool device = IsDeviceFile(path);
        const FileHandle file = Counted(Fails(device ? kDeviceRead : kOpen) ? kNoFile : SimulatedDevice::OpenForReading(path));
        if (device && file != kNoFile) deviceFiles_.insert(file);
        return file;
    }
    FileHandle CreateNewFile(const TZChar *path) noexcept override {
        const bool device = IsDeviceFile(path);  // a failed creation is tried again under a new name
        const FileHandle file = Counted(Fails(kCreate) ? kNoFile : SimulatedDevice::CreateNewFile(path));
        if (file != kNoFile) created_.insert(file);
        if (device && file != kNoFile) deviceFiles_.insert(file);
        return file;
    }
    std::int64_t ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept override {
        if (Fails(Op(file, kRead, kDeviceRead))) return -1;
        return SimulatedDevice::ReadFile(file, buffer, readLimit != 0 ? std::min(bytes, readLimit) : bytes);
    }
    bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept override {
        return !Fails(Op(file, kWrite, kDeviceWrite)) && SimulatedDevice::WriteFile(file, data, bytes);
    }
    bool FlushFile(FileHandle file) noexcept override {
        return !Fails(Op(file, kFlush, kDeviceWrite)) && (skipDurability || SimulatedDevice::FlushFile(file));
    }
    // The descriptor is released even when the close reports a failure, as on POSIX.
    bool CloseFile(FileHandle file) noexcept override {
        const bool written = created_.erase(file) > 0;
        const FileOp op = written ? Op(file, kCloseWritten, kDeviceWrite) : kClose;
        deviceFiles_.erase(file);
        const bool closed = SimulatedDevice::CloseFile(file);
        --openHandles;
        return !Fails(op) && closed;
    }
    bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept override {
        return !Fails(IsDeviceFile(target) ? kDeviceWrite : kReplace) && SimulatedDevice::ReplaceFile(source, target);
    }
    bool DeleteFile(const TZChar *path) noexcept override {
        return !Fails(kDelete) && SimulatedDevice::DeleteFile(path);
    }
    bool SyncDirectory(const TZChar *directory) noexcept override {
        return !Fails(kSync) && (skipDurability || SimulatedDevice::SyncDirectory(directory));
    }
    LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept override {
        return Counted(Fails(kLock) ? kNoLock : SimulatedDevice::LockDirectory(directory, timeoutMs));
    }
    void UnlockDirectory(LockHandle lock) noexcept override {
        if (lock != kNoLock) --openHandles;
        SimulatedDevice::UnlockDirectory(lock);
    }
    bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept override {
        return !Fails(kList) && SimulatedDevice::ListDirectory(directory, visit, context);
    }

    bool ApplyTimeZone(const TimeZoneInformation &info) noexcept override {
        if (twoSteps) return Platform::ApplyTimeZone(info);
        return ++zoneSets != failZoneSetAt && SimulatedDevice::ApplyTimeZone(info);
    }
    bool SetSystemTime(const SYSTEMTIME &utc) noexcept override {
        return !failSetSystemTime && SimulatedDevice::SetSystemTime(utc);
    }
    void GetSystemTime(SYSTEMTIME *utc) noexcept override {
        readingClock_ = true;
        SimulatedDevice::GetSystemTime(utc);
        readingClock_ = false;
    }

private:
    bool Fails(FileOp op) noexcept { return !readingClock_ && ++calls[op] == failAt[op]; }
    FileOp Op(FileHandle file, FileOp data, FileOp device) const noexcept {
        return deviceFiles_.count(file) ? device : data;
    }
    // device.ini or a temporary file of its rewrite.
    bool IsDeviceFile(const TZChar *path) const {
        const std::basic_string<TZChar> device = ToUtf16(ConfigPath());
        return std::basic_string<TZChar>(path).starts_with(device);
    }
    std::intptr_t Counted(std::intptr_t handle) noexcept {
        if (handle != -1) ++openHandles;  // kNoFile and kNoLock alike
        return handle;
    }
    std::set<FileHandle> created_;      // files made by CreateNewFile and not yet closed
    std::set<FileHandle> deviceFiles_;  // device.ini and its temporaries, open
    bool readingClock_ = false;
};

}  // namespace kelvane::test
