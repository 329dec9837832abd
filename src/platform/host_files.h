// The host's file system, as every platform of the engine uses it.
//
// One header, one implementation per host: posix_files.cpp on Linux and the
// like, win32_files.cpp on Windows. Paths are full UTF-16 paths as the engine
// builds them (the host's own separator). The simulated device and the Win32
// platform both pass their file operations through here, so a Windows build
// of the simulated device makes no POSIX call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Kelvane.h"
#include "platform/platform.h"

namespace kelvane::host {

// The separator the engine puts between the data directory and a file name.
#if defined(_WIN32)
inline constexpr TZChar kSeparator = L'\\';
#else
inline constexpr TZChar kSeparator = u'/';
#endif

// Whether c separates path components (Windows takes '/' too; on POSIX a
// backslash is an ordinary character of a name).
constexpr bool IsSeparator(TZChar c) noexcept {
#if defined(_WIN32)
    return c == L'\\' || c == L'/';
#else
    return c == u'/';
#endif
}

// The length of the directory part of a path of length units: its last
// component and the separator before it dropped, a root (the separator
// alone, or a drive and its separator) keeping its separator; 0 when the
// path has no directory part.
constexpr std::size_t DirectoryLength(const TZChar *path, std::size_t length) noexcept {
    std::size_t cut = length;
    while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
    if (cut == 0) return 0;
    const bool isRoot = cut == 1 || (cut == 3 && path[1] == u':');
    return isRoot ? cut : cut - 1;
}

// The host executable's full path: the length written, 0 on failure or when
// it does not fit in capacity units with its terminator.
std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept;
// The value of KELVANE_DATA (on POSIX hosts through secure_getenv, so a
// set-user-ID program ignores it): its length, 0 when unset, empty or too long.
std::uint32_t DataDirectoryVariable(TZChar *buffer, std::uint32_t capacity) noexcept;

// An existing regular file, opened for reading without blocking (a FIFO or a
// device never hangs the caller); kNoFile for anything else.
FileHandle OpenForReading(const TZChar *path) noexcept;
// A new file created for writing; kNoFile when anything, a link included,
// already stands at the path.
FileHandle CreateNewFile(const TZChar *path) noexcept;
std::int64_t Read(FileHandle file, void *buffer, std::size_t bytes) noexcept;
bool Write(FileHandle file, const void *data, std::size_t bytes) noexcept;
bool Flush(FileHandle file) noexcept;
bool Close(FileHandle file) noexcept;
// Renames source over target in one step. A replaced regular file's
// permission bits stay, and its owner where the writer may set it; a new
// file is readable by everyone (0644), whatever the umask.
bool Replace(const TZChar *source, const TZChar *target) noexcept;
// Makes the directory's entries (a rename) durable.
bool SyncDirectory(const TZChar *directory) noexcept;
bool Delete(const TZChar *path) noexcept;
// Whether anything (a file, a directory, a link) stands at the path; true
// when that cannot be told.
bool Exists(const TZChar *path) noexcept;

// The advisory lock of a data directory, waited for at most timeoutMs.
LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept;
void UnlockDirectory(LockHandle lock) noexcept;
// Each entry name of the directory, "." and ".." left out.
bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept;
// The process's identifier, a per-process count and random bits, for
// naming temporary files.
std::uint64_t UniqueNumber() noexcept;

// The host's file operations under the platform's names, for what is
// written either way (atomic_replace.h, scoped_file.h).
struct Files {
    FileHandle CreateNewFile(const TZChar *path) noexcept { return host::CreateNewFile(path); }
    bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept { return Write(file, data, bytes); }
    bool FlushFile(FileHandle file) noexcept { return Flush(file); }
    bool CloseFile(FileHandle file) noexcept { return Close(file); }
    bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept { return Replace(source, target); }
    bool DeleteFile(const TZChar *path) noexcept { return Delete(path); }
    bool SyncDirectory(const TZChar *directory) noexcept { return host::SyncDirectory(directory); }
    std::uint64_t UniqueNumber() noexcept { return host::UniqueNumber(); }
};

// A whole small file read through the platform's file operations: a
// missing file reads as empty; false when something stands there that
// cannot be read whole, or that holds more than limit bytes.
bool ReadWhole(Platform &files, const TZChar *path, std::string *contents, std::size_t limit = SIZE_MAX);

// Replaces the file atomically (atomic_replace.h) with the host's file operations.
bool ReplaceWhole(const std::string &path, const std::string &contents);
// The same with the given platform's file operations (device.ini, so that
// its rewrites are failure points like any other file's).
bool ReplaceWhole(Platform &files, const TZChar *path, std::string_view contents);
// The executable's path in UTF-8, empty when unknown.
std::string ExecutablePath();

}  // namespace kelvane::host
