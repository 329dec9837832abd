// The host's file system on Windows.
//
// Paths arrive as the engine builds them, in UTF-16 with '\' between the
// directory and the name, and go to the wide Win32 calls unchanged. Readers
// share the file for reading, writing and deleting, so they never stand in a
// writer's way longer than needed, and accept regular disk files only. New
// files are created with CREATE_NEW, which fails when anything, a link
// included, stands at the path. A replace cannot go over a file that another
// caller holds open (sharing rules, or ERROR_ACCESS_DENIED while the old file
// is still open): it is retried for about a second, then reported. A
// directory cannot be locked here, so the data directory's lock is LockFileEx
// on the Kelvane.lock file inside it.
#include <windows.h>

#include <atomic>
#include <string>

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/utf.h"
#include "platform/win32_lock_turnstile.h"

namespace kelvane::host {
namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kLargestTransfer = 1u << 30;
constexpr DWORD kReplaceRetries = 50;
constexpr DWORD kReplaceRetryPauseMs = 20;
constexpr DWORD kLockPollMs = 2;
constexpr const wchar_t *kLockFileName = L"Kelvane.lock";

HANDLE HandleOf(FileHandle file) noexcept { return reinterpret_cast<HANDLE>(file); }

FileHandle FileOf(HANDLE handle) noexcept {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

// A disk file that is neither a directory nor a reparse point (a pipe, a
// console or a device reports another type).
bool IsRegularFile(HANDLE handle) noexcept {
    if (::GetFileType(handle) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) return false;
    constexpr DWORD kNotRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    return (info.dwFileAttributes & kNotRegular) == 0;
}

// directory + '\' + name, or empty when memory runs out. The host's own
// memory, as the POSIX layer's: the engine's allocation points stay the same
// on every host.
std::wstring JoinPath(const wchar_t *directory, const wchar_t *name) noexcept try {
    return std::wstring(directory) + kSeparator + name;
} catch (...) {
    return std::wstring();
}

// The errors of a replace that another caller's open handle causes.
bool HeldByAnotherCaller(DWORD error) noexcept {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool TryLock(HANDLE file) noexcept {
    OVERLAPPED whole{};
    return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) != 0;
}

bool IsDotEntry(const wchar_t *name) noexcept {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}
}  // namespace

// GetModuleFileNameW cuts a path that does not fit and returns the room's
// size; that counts as a failure, so a long path never passes half.
std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept {
    if (capacity == 0) return 0;
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer, capacity);
    if (n == 0 || n >= capacity) {
        buffer[0] = 0;
        return 0;
    }
    return n;
}

std::uint32_t DataDirectoryVariable(TZChar *buffer, std::uint32_t capacity) noexcept {
    if (capacity == 0) return 0;
    const DWORD n = ::GetEnvironmentVariableW(L"KELVANE_DATA", buffer, capacity);
    if (n == 0 || n >= capacity) {
        buffer[0] = 0;
        return 0;
    }
    return n;
}

FileHandle OpenForReading(const TZChar *path) noexcept {
    const HANDLE file =
        ::CreateFileW(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kNoFile;
    if (!IsRegularFile(file)) {
        ::CloseHandle(file);
        return kNoFile;
    }
    return FileOf(file);
}

// FILE_FLAG_OPEN_REPARSE_POINT: the call never acts through a link.
FileHandle CreateNewFile(const TZChar *path) noexcept {
    return FileOf(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

std::int64_t Read(FileHandle file, void *buffer, std::size_t bytes) noexcept {
    DWORD read = 0;
    const DWORD wanted = bytes < kLargestTransfer ? static_cast<DWORD>(bytes) : kLargestTransfer;
    if (!::ReadFile(HandleOf(file), buffer, wanted, &read, nullptr)) return -1;
    return read;
}

bool Write(FileHandle file, const void *data, std::size_t bytes) noexcept {
    const auto *p = static_cast<const char *>(data);
    while (bytes > 0) {
        DWORD written = 0;
        const DWORD chunk = bytes < kLargestTransfer ? static_cast<DWORD>(bytes) : kLargestTransfer;
        if (!::WriteFile(HandleOf(file), p, chunk, &written, nullptr) || written == 0) return false;
        p += written;
        bytes -= written;
    }
    return true;
}

bool Flush(FileHandle file) noexcept { return ::FlushFileBuffers(HandleOf(file)) != 0; }

bool Close(FileHandle file) noexcept { return ::CloseHandle(HandleOf(file)) != 0; }

// Durability comes from flushing the new file before the move;
// MOVEFILE_WRITE_THROUGH covers a move the system does as copy and delete.
bool Replace(const TZChar *source, const TZChar *target) noexcept {
    for (DWORD attempt = 0;; ++attempt) {
        if (::MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (!HeldByAnotherCaller(::GetLastError()) || attempt + 1 >= kReplaceRetries) return false;
        ::Sleep(kReplaceRetryPauseMs);
    }
}

// Windows has no directory sync: the flush of the new file and a completed
// move are what makes the replace durable.
bool SyncDirectory(const TZChar *) noexcept { return true; }

bool Delete(const TZChar *path) noexcept { return ::DeleteFileW(path) != 0; }

bool Exists(const TZChar *path) noexcept {
    if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// LockFileEx conflicts between two handles of the file even within one
// process, so a call that holds the lock must not ask for it again. Writers
// wait their turn at the turnstile (win32_lock_turnstile.h) and poll the
// lock from its head.
LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept {
    const std::wstring path = JoinPath(directory, kLockFileName);
    if (path.empty()) return kNoLock;
    // Read access is enough to lock, so a read-only lock file shipped with the data works.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kNoLock;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    const LockTurnstile turn(path, deadline);
    for (;;) {
        if (TryLock(file)) return reinterpret_cast<LockHandle>(file);
        if (::GetLastError() != ERROR_LOCK_VIOLATION || ::GetTickCount64() >= deadline) break;
        ::Sleep(kLockPollMs);
    }
    ::CloseHandle(file);
    return kNoLock;
}

void UnlockDirectory(LockHandle lock) noexcept {
    if (lock == kNoLock) return;
    OVERLAPPED whole{};
    ::UnlockFileEx(HandleOf(lock), 0, 1, 0, &whole);
    ::CloseHandle(HandleOf(lock));
}

bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept {
    const std::wstring pattern = JoinPath(directory, L"*");
    if (pattern.empty()) return false;
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = ::FindFirstFileW(pattern.c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (!IsDotEntry(entry.cFileName)) visit(context, entry.cFileName);
    } while (::FindNextFileW(listing, &entry));
    const bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(listing);
    return complete;
}

// The process, a count of this process's temporary names and a few bits of
// the performance counter: unique among live writers, and creation is
// exclusive anyway.
std::uint64_t UniqueNumber() noexcept {
    static std::atomic<std::uint32_t> count{0};
    LARGE_INTEGER ticks{};
    ::QueryPerformanceCounter(&ticks);
    const std::uint64_t process = ::GetCurrentProcessId();
    return process << 32 | static_cast<std::uint64_t>(count++ & 0xFFFFu) << 16 |
           static_cast<std::uint16_t>(ticks.QuadPart);
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD room = static_cast<DWORD>(path.size());
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), room);
        if (n == 0) return std::string();
        if (n < room) return ToUtf8(std::wstring_view(path.data(), n));
        if (room >= 32768) return std::string();  // the longest path Windows has
        path.resize(room * 2);
    }
}

}  // namespace kelvane::host
