// The simulated device with file operations that fail on demand: either by
// flag, or the n-th call of one operation, counted, so a sweep can make each
// file operation a call makes fail in turn without knowing the call.
#pragma once

#include <array>
#include <set>
#include <cstddef>
#include <cstdint>

#include "platform/simulated_device.h"

namespace kelvane::test {

// A close of a file the caller created counts apart: its failure may mean
// the data never reached the disk, so it must never pass unnoticed.
enum FileOp : std::size_t {
    kOpen, kCreate, kRead, kWrite, kFlush, kClose, kCloseWritten, kReplace, kDelete, kSync, kLock, kList, kFileOps
};
inline constexpr const char *kFileOpNames[kFileOps] = {
    "open", "create", "read", "write", "flush", "close", "close after writing", "replace", "delete",
    "directory sync", "lock", "list"};

class FaultyDevice : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    bool failCreate = false;
    bool failReplace = false;
    bool skipDurability = false;  // flushes and directory syncs succeed without reaching the disk
    std::uint64_t zoneSets = 0, failZoneSetAt = 0;  // SetTimeZoneInformation calls; the one that fails
    // Calls of each operation so far, and the call (1 = the first) made to fail; 0: none.
    std::array<std::uint64_t, kFileOps> calls{}, failAt{};
    std::int64_t openHandles = 0;       // files and locks handed out and not yet given back

    FileHandle OpenForReading(const TZChar *path) noexcept override {
        return Counted(Fails(kOpen) ? kNoFile : SimulatedDevice::OpenForReading(path));
    }
    FileHandle CreateNewFile(const TZChar *path) noexcept override {
        const FileHandle file = Counted(Fails(kCreate) || failCreate ? kNoFile : SimulatedDevice::CreateNewFile(path));
        if (file != kNoFile) created_.insert(file);
        return file;
    }
    std::int64_t ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept override {
        return Fails(kRead) ? -1 : SimulatedDevice::ReadFile(file, buffer, bytes);
    }
    bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept override {
        return !Fails(kWrite) && SimulatedDevice::WriteFile(file, data, bytes);
    }
    bool FlushFile(FileHandle file) noexcept override {
        return !Fails(kFlush) && (skipDurability || SimulatedDevice::FlushFile(file));
    }
    // The descriptor is released even when the close reports a failure, as on POSIX.
    bool CloseFile(FileHandle file) noexcept override {
        const FileOp op = created_.erase(file) > 0 ? kCloseWritten : kClose;
        const bool closed = SimulatedDevice::CloseFile(file);
        --openHandles;
        return !Fails(op) && closed;
    }
    bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept override {
        return !Fails(kReplace) && !failReplace && SimulatedDevice::ReplaceFile(source, target);
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

    bool SetTimeZoneInformation(const TimeZoneInformation &info) noexcept override {
        return ++zoneSets != failZoneSetAt && SimulatedDevice::SetTimeZoneInformation(info);
    }

private:
    bool Fails(FileOp op) noexcept { return ++calls[op] == failAt[op]; }
    std::intptr_t Counted(std::intptr_t handle) noexcept {
        if (handle != -1) ++openHandles;  // kNoFile and kNoLock alike
        return handle;
    }
    std::set<FileHandle> created_;  // files made by CreateNewFile and not yet closed
};

}  // namespace kelvane::test
