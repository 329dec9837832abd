#include "platform/host_platform.h"

#include "platform/host_files.h"

namespace kelvane {

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
