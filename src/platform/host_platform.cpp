#include "platform/host_platform.h"

#include "platform/host_files.h"
#include "platform/utf.h"
#include "base/text.h"

namespace kelvane {

namespace {
// The length of the directory part of a path (its last component and the
// separator before it dropped; a root keeps its separator), 0 when none.
std::size_t DirectoryPartLength(const TZChar *path, std::size_t length) noexcept {
    std::size_t cut = length;
    while (cut > 0 && !host::IsSeparator(path[cut - 1])) --cut;
    if (cut == 0) return 0;
    const bool isRoot = cut == 1 || (cut == 3 && path[1] == u':');
    return isRoot ? cut : cut - 1;
}
}  // namespace

std::uint32_t HostFilesPlatform::DataDirectory(TZChar *buffer, std::uint32_t capacity) noexcept {
    return ServedDirectory(buffer, capacity);
}

std::uint32_t HostFilesPlatform::ServedDirectory(TZChar *buffer, std::uint32_t capacity) const noexcept try {
    if (!dataDirectory_.empty()) return CopyAsUtf16(dataDirectory_, buffer, capacity);
    if (const std::uint32_t named = host::DataDirectoryVariable(buffer, capacity); named != 0) return named;
    const std::uint32_t length = host::ModuleFileName(buffer, capacity);
    if (length == 0 || length >= capacity) return 0;
    const auto directory = static_cast<std::uint32_t>(DirectoryPartLength(buffer, length));
    buffer[directory] = 0;
    return directory;
} catch (...) {
    return 0;
}

std::string HostFilesPlatform::DataDirectoryUtf8() const noexcept try {
    TZChar directory[4096];
    const std::uint32_t length = ServedDirectory(directory, 4096);
    return length == 0 ? std::string() : ToUtf8(TextView(directory, length));
} catch (...) {
    return std::string();
}

std::string HostFilesPlatform::DataFileUtf8(const char *name) const noexcept try {
    const std::string directory = DataDirectoryUtf8();
    if (directory.empty()) return directory;
    const bool root = host::IsSeparator(static_cast<TZChar>(directory.back()));
    return directory + (root ? "" : std::string(1, static_cast<char>(host::kSeparator))) + name;
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
