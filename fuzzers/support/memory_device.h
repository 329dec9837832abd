// The simulated device over a data directory held in memory: every file
// operation of the engine is served from a map of paths to bytes, so a
// harness can feed the readers thousands of inputs a second without touching
// the disk. Paths are the engine's full paths under the directory given.
//
// Once warm it allocates nothing per file operation or per Put of a file
// that already exists: lookups take the engine's path as it stands, open
// files sit in a reused list, and a file's bytes are assigned into the
// storage it already has. Each allocation under the sanitizers costs a stack
// capture and a quarantine slot, which would otherwise dominate a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/simulated_device.h"

namespace kelvane::test {

class MemoryDevice : public SimulatedDevice {
public:
    // directory: where the data files are taken to lie (no separator at the end).
    explicit MemoryDevice(const std::string &directory);

    void Put(const std::string &name, std::string_view bytes);
    // Counts every change of a file through the engine and every Put of
    // device.ini: while it stands still, device.ini has not changed.
    std::uint64_t DeviceFileChanges() const noexcept { return changes_; }
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
    using PathView = std::basic_string_view<TZChar>;
    using Bytes = std::shared_ptr<std::string>;
    // Looks a path up by view, so no key is built per operation.
    struct PathHash {
        using is_transparent = void;
        std::size_t operator()(PathView path) const noexcept { return std::hash<PathView>()(path); }
    };
    using Files = std::unordered_map<Path, Bytes, PathHash, std::equal_to<>>;
    struct OpenFile {
        FileHandle handle;
        Bytes bytes;  // shared, so a file replaced or deleted while open stays readable
        std::size_t position;
        bool written;
    };
    const Path &PathOf(const std::string &name) const;
    OpenFile *Find(FileHandle file) noexcept;
    FileHandle Open(Bytes bytes, bool written) noexcept;

    Path directory_;
    mutable Path scratch_;  // PathOf's result, its storage reused
    Files files_;
    std::vector<OpenFile> open_;  // few at a time; handles are never reused
    FileHandle nextHandle_ = 1;
    std::uint64_t unique_ = 0;
    bool locked_ = false;
    std::uint64_t changes_ = 0;
};

}  // namespace kelvane::test
