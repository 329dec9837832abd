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
// Renames source over target in one step.
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

// Whole small files by UTF-8 path, for device.ini and the tools. A missing
// file reads as empty; false when something stands there that cannot be read.
bool ReadWhole(const std::string &path, std::string *contents);
// Writes the file through a new temporary file beside it, then renames it into place.
// everyoneReads: the new file may be read by every user whatever the umask.
bool ReplaceWhole(const std::string &path, const std::string &contents, bool everyoneReads = false);
// Lets every user read the file (mode 0644 on POSIX hosts; Windows: as it is).
bool LetEveryoneRead(FileHandle file) noexcept;
// The executable's path in UTF-8, empty when unknown.
std::string ExecutablePath();

}  // namespace kelvane::host
