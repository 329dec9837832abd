#include "support/memory_device.h"

#include <algorithm>
#include <cstring>

#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane::test {
MemoryDevice::MemoryDevice(const std::string &directory)
    : SimulatedDevice(directory + static_cast<char>(host::kSeparator) + "host") {
    directory_ = ToUtf16(directory);
    open_.reserve(16);
}

// An ASCII name (every data file's) is widened unit by unit into reused storage.
const MemoryDevice::Path &MemoryDevice::PathOf(const std::string &name) const {
    scratch_.assign(directory_);
    scratch_ += host::kSeparator;
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        scratch_ += ToUtf16(name);
        return scratch_;
    }
    for (const char c : name) scratch_ += static_cast<TZChar>(c);
    return scratch_;
}

void MemoryDevice::Put(const std::string &name, std::string_view bytes) {
    if (name == kDeviceFileName) ++changes_;
    const Path &path = PathOf(name);
    const auto found = files_.find(PathView(path));
    // Storage no open file shares is overwritten in place.
    if (found != files_.end() && found->second.use_count() == 1) {
        found->second->assign(bytes);
        return;
    }
    files_[path] = std::make_shared<std::string>(bytes);
}

std::string MemoryDevice::Get(const std::string &name) const {
    const auto found = files_.find(PathView(PathOf(name)));
    return found == files_.end() ? std::string() : *found->second;
}

MemoryDevice::OpenFile *MemoryDevice::Find(FileHandle file) noexcept {
    const auto found = std::find_if(open_.begin(), open_.end(), [file](const OpenFile &o) { return o.handle == file; });
    return found == open_.end() ? nullptr : &*found;
}

FileHandle MemoryDevice::Open(Bytes bytes, bool written) noexcept {
    open_.push_back(OpenFile{nextHandle_, std::move(bytes), 0, written});
    return nextHandle_++;
}

FileHandle MemoryDevice::OpenForReading(const TZChar *path) noexcept {
    const auto found = files_.find(PathView(path));
    return found == files_.end() ? kNoFile : Open(found->second, false);
}

FileHandle MemoryDevice::CreateNewFile(const TZChar *path) noexcept {
    ++changes_;
    if (files_.find(PathView(path)) != files_.end()) return kNoFile;
    auto bytes = std::make_shared<std::string>();
    files_.emplace(Path(path), bytes);
    return Open(std::move(bytes), true);
}

std::int64_t MemoryDevice::ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept {
    OpenFile *open = Find(file);
    if (open == nullptr) return -1;
    const std::size_t n = std::min(bytes, open->bytes->size() - open->position);
    if (n > 0) std::memcpy(buffer, open->bytes->data() + open->position, n);
    open->position += n;
    return static_cast<std::int64_t>(n);
}

bool MemoryDevice::WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept {
    ++changes_;
    OpenFile *open = Find(file);
    if (open == nullptr || !open->written) return false;
    open->bytes->append(static_cast<const char *>(data), bytes);
    return true;
}

bool MemoryDevice::FlushFile(FileHandle file) noexcept { return Find(file) != nullptr; }

bool MemoryDevice::CloseFile(FileHandle file) noexcept {
    OpenFile *open = Find(file);
    if (open == nullptr) return false;
    open_.erase(open_.begin() + (open - open_.data()));
    return true;
}

bool MemoryDevice::ReplaceFile(const TZChar *source, const TZChar *target) noexcept {
    ++changes_;
    const auto found = files_.find(PathView(source));
    if (found == files_.end()) return false;
    Bytes bytes = std::move(found->second);
    files_.erase(found);
    files_[Path(target)] = std::move(bytes);
    return true;
}

bool MemoryDevice::SyncDirectory(const TZChar *) noexcept { return true; }

bool MemoryDevice::DeleteFile(const TZChar *path) noexcept {
    ++changes_;
    const auto found = files_.find(PathView(path));
    if (found == files_.end()) return false;
    files_.erase(found);
    return true;
}

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
