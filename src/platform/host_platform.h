// The file operations every platform hands to the host's file system.
//
// The simulated device and the real Win32 platform differ in time, zone,
// language and registry; their files are the host's either way, so both
// take these from here.
#pragma once

#include "platform/platform.h"

namespace kelvane {

class HostFilesPlatform : public Platform {
public:
    FileHandle OpenForReading(const TZChar *path) noexcept override;
    FileHandle CreateNewFile(const TZChar *path) noexcept override;
    std::int64_t ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept override;
    bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept override;
    bool FlushFile(FileHandle file) noexcept override;
    bool CloseFile(FileHandle file) noexcept override;
    bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept override;
    bool SyncDirectory(const TZChar *directory) noexcept override;
    bool DeleteFile(const TZChar *path) noexcept override;
    LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept override;
    void UnlockDirectory(LockHandle lock) noexcept override;
    bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept override;
    std::uint64_t UniqueNumber() noexcept override;
};

}  // namespace kelvane
