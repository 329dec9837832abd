// The simulated device over a data directory held in memory: every file
// operation of the engine is served from a map of paths to bytes, so a
// harness can feed the readers thousands of inputs a second without touching
// the disk. Paths are the engine's full paths under the directory given.
#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <memory>
#include <string>

#include "platform/simulated_device.h"

namespace kelvane::test {

class MemoryDevice : public SimulatedDevice {
public:
    // directory: where the data files are taken to lie (no separator at the end).
    explicit MemoryDevice(const std::string &directory);

    void Put(const std::string &name, std::string bytes);
    // A file's bytes; empty when it does not exist.
    std::string Get(const std::string &name) const;

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

private:
    using Path = std::basic_string<TZChar>;
    using Bytes = std::shared_ptr<std::string>;
    struct OpenFile {
        Path path;
        Bytes bytes;
        std::size_t position = 0;
        bool written = false;
    };
    Path PathOf(const std::string &name) const;

    Path directory_;
    std::unordered_map<Path, Bytes> files_;
    std::map<FileHandle, OpenFile> open_;
    FileHandle nextHandle_ = 1;
    std::uint64_t unique_ = 0;
    bool locked_ = false;
};

}  // namespace kelvane::test
