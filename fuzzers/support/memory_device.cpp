#include "support/memory_device.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane::test {
MemoryDevice::MemoryDevice(const std::string &directory)
    : SimulatedDevice(directory + static_cast<char>(host::kSeparator) + "host") {
    directory_ = ToUtf16(directory);
}

MemoryDevice::Path MemoryDevice::PathOf(const std::string &name) const {
    return directory_ + host::kSeparator + ToUtf16(name);
}

void MemoryDevice::Put(const std::string &name, std::string bytes) {
    files_[PathOf(name)] = std::make_shared<std::string>(std::move(bytes));
}

std::string MemoryDevice::Get(const std::string &name) const {
    const auto found = files_.find(PathOf(name));
    return found == files_.end() ? std::string() : *found->second;
}

FileHandle MemoryDevice::OpenForReading(const TZChar *path) noexcept {
    const auto found = files_.find(Path(path));
    if (found == files_.end()) return kNoFile;
    open_[nextHandle_] = OpenFile{found->first, found->second};
    return nextHandle_++;
}

FileHandle MemoryDevice::CreateNewFile(const TZChar *path) noexcept {
    auto [file, created] = files_.emplace(Path(path), std::make_shared<std::string>());
    if (!created) return kNoFile;
    open_[nextHandle_] = OpenFile{file->first, file->second, 0, true};
    return nextHandle_++;
}

std::int64_t MemoryDevice::ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept {
    const auto found = open_.find(file);
    if (found == open_.end()) return -1;
    OpenFile &open = found->second;
    const std::size_t n = std::min(bytes, open.bytes->size() - open.position);
    if (n > 0) std::memcpy(buffer, open.bytes->data() + open.position, n);
    open.position += n;
    return static_cast<std::int64_t>(n);
}

bool MemoryDevice::WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept {
    const auto found = open_.find(file);
    if (found == open_.end() || !found->second.written) return false;
    found->second.bytes->append(static_cast<const char *>(data), bytes);
    return true;
}

bool MemoryDevice::FlushFile(FileHandle file) noexcept { return open_.count(file) != 0; }

bool MemoryDevice::CloseFile(FileHandle file) noexcept { return open_.erase(file) != 0; }

bool MemoryDevice::ReplaceFile(const TZChar *source, const TZChar *target) noexcept {
    const auto found = files_.find(Path(source));
    if (found == files_.end()) return false;
    Bytes bytes = found->second;
    files_.erase(found);
    files_[Path(target)] = std::move(bytes);
    return true;
}

bool MemoryDevice::SyncDirectory(const TZChar *) noexcept { return true; }

bool MemoryDevice::DeleteFile(const TZChar *path) noexcept { return files_.erase(Path(path)) != 0; }

// One process, one thread: the lock only has to be refused while it is held.
LockHandle MemoryDevice::LockDirectory(const TZChar *, std::uint32_t) noexcept {
    if (locked_) return kNoLock;
    locked_ = true;
    return 1;
}

void MemoryDevice::UnlockDirectory(LockHandle lock) noexcept {
    if (lock != kNoLock) locked_ = false;
}

bool MemoryDevice::ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept {
    Path prefix = Path(directory);
    if (prefix.empty() || prefix.back() != host::kSeparator) prefix += host::kSeparator;
    std::vector<Path> names;
    for (const auto &[path, bytes] : files_) {
        if (path.compare(0, prefix.size(), prefix) == 0) names.push_back(path.substr(prefix.size()));
    }
    for (const Path &name : names) visit(context, name.c_str());
    return true;
}

std::uint64_t MemoryDevice::UniqueNumber() noexcept { return ++unique_; }

}  // namespace kelvane::test
