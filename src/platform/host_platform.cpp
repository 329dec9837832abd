#include "platform/host_platform.h"

#include <algorithm>

#include "platform/host_files.h"
#include "platform/utf.h"
#include "base/text.h"

namespace kelvane {

HostFilesPlatform::HostFilesPlatform(const std::string &dataDirectory) : dataDirectory_(ToUtf16(dataDirectory)) {}

std::uint32_t HostFilesPlatform::DataDirectory(TZChar *buffer, std::uint32_t capacity) noexcept {
    return ServedDirectory(buffer, capacity);
}

std::uint32_t HostFilesPlatform::ServedDirectory(TZChar *buffer, std::uint32_t capacity) const noexcept try {
    if (!dataDirectory_.empty()) {
        if (dataDirectory_.size() >= capacity) return 0;
        std::copy(dataDirectory_.begin(), dataDirectory_.end(), buffer);
        buffer[dataDirectory_.size()] = 0;
        return static_cast<std::uint32_t>(dataDirectory_.size());
    }
    if (const std::uint32_t named = host::DataDirectoryVariable(buffer, capacity); named != 0) return named;
    const std::uint32_t length = host::ModuleFileName(buffer, capacity);
    if (length == 0 || length >= capacity) return 0;
    const auto directory = static_cast<std::uint32_t>(host::DirectoryLength(buffer, length));
    buffer[directory] = 0;
    return directory;
} catch (...) {
    return 0;
}

std::uint32_t HostFilesPlatform::DataFilePath(const char *name, TZChar *path, std::uint32_t capacity) const noexcept {
    std::uint32_t length = ServedDirectory(path, capacity);
    const std::size_t nameLength = std::char_traits<char>::length(name);
    if (length == 0 || length + 1 + nameLength >= capacity) return 0;
    if (!host::IsSeparator(path[length - 1])) path[length++] = host::kSeparator;  // a root has one
    for (std::size_t i = 0; i <= nameLength; ++i) path[length + i] = static_cast<TZChar>(name[i]);
    return length + static_cast<std::uint32_t>(nameLength);
}

std::string HostFilesPlatform::DataFileUtf8(const char *name) const noexcept try {
    TZChar path[kPathUnits];
    const std::uint32_t length = DataFilePath(name, path, kPathUnits);
    return length == 0 ? std::string() : ToUtf8(TextView(path, length));
} catch (...) {
    return std::string();
}

FileHandle HostFilesPlatform::OpenForReading(const TZChar *path) noexcept { return host::OpenForReading(path); }

FileHandle HostFilesPlatform::CreateNewFile(const TZChar *path) noexcept { return host::CreateNewFile(path); }

std::int64_t HostFilesPlatform::ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept {
    return host::Read(file, buffer, bytes);
}

bool HostFilesPlatform::WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept {
    return host::Write(file, data, bytes);
}

bool HostFilesPlatform::FlushFile(FileHandle file) noexcept { return host::Flush(file); }

bool HostFilesPlatform::CloseFile(FileHandle file) noexcept { return host::Close(file); }

bool HostFilesPlatform::ReplaceFile(const TZChar *source, const TZChar *target) noexcept {
    return host::Replace(source, target);
}

bool HostFilesPlatform::SyncDirectory(const TZChar *directory) noexcept { return host::SyncDirectory(directory); }

bool HostFilesPlatform::DeleteFile(const TZChar *path) noexcept { return host::Delete(path); }

LockHandle HostFilesPlatform::LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept {
    return host::LockDirectory(directory, timeoutMs);
}

void HostFilesPlatform::UnlockDirectory(LockHandle lock) noexcept { host::UnlockDirectory(lock); }

bool HostFilesPlatform::ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept {
    return host::ListDirectory(directory, visit, context);
}

std::uint64_t HostFilesPlatform::UniqueNumber() noexcept { return host::UniqueNumber(); }

}  // namespace kelvane
