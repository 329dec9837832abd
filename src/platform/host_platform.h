// The file operations every platform hands to the host's file system.
//
// The simulated device and the real systems' platforms (Win32, POSIX)
// differ in time, zone, language and registry; their files and their data
// directory are the host's either way, so all take these from here.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kelvane {

class HostFilesPlatform : public Platform {
public:
    // dataDirectory (UTF-8): the data directory the platform serves; empty:
    // KELVANE_DATA, else the executable's directory.
    explicit HostFilesPlatform(const std::string &dataDirectory = std::string());

    std::uint32_t DataDirectory(TZChar *buffer, std::uint32_t capacity) noexcept override;
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

    // The path of the data directory's file name (ASCII) into path: its
    // length, 0 when the directory is unknown or the path too long for capacity.
    std::uint32_t DataFilePath(const char *name, TZChar *path, std::uint32_t capacity) const noexcept;
    // The same in UTF-8, "" when unknown.
    std::string DataFileUtf8(const char *name) const noexcept;

private:
    std::uint32_t ServedDirectory(TZChar *buffer, std::uint32_t capacity) const noexcept;

    std::basic_string<TZChar> dataDirectory_;  // converted once: every file path begins with it
};

}  // namespace kelvane
