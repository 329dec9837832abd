// The host's file system on POSIX hosts.
//
// Paths arrive as the engine builds them, in UTF-16 with '/' between the
// directory and the name; they are handed to the kernel as UTF-8, unchanged
// otherwise (a backslash is an ordinary character of a POSIX name).
// Readers open without blocking and accept regular files only; new files are
// created exclusively and never through a link; the data directory's lock is
// flock on the directory itself, so no lock file appears beside the data.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane::host {
namespace {
// The UTF-8 path, or empty when it cannot be converted.
std::string NativePath(const TZChar *path) noexcept try {
    return ToUtf8(ViewOf(path, SIZE_MAX));
} catch (...) {
    return std::string();
}

int OpenDirectory(const TZChar *directory) noexcept {
    const std::string native = NativePath(directory);
    if (native.empty()) return -1;
    return ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
}  // namespace

std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept try {
    const auto wide = ToUtf16(ExecutablePath());
    if (wide.empty() || wide.size() >= capacity) return 0;
    CopyText(buffer, capacity, TextView(wide.data(), wide.size()));
    return static_cast<std::uint32_t>(wide.size());
} catch (...) {
    return 0;
}

std::uint32_t DataDirectoryVariable(TZChar *buffer, std::uint32_t capacity) noexcept {
    const char *value = ::secure_getenv("KELVANE_DATA");
    return value == nullptr ? 0 : CopyAsUtf16(value, buffer, capacity);
}

bool LetEveryoneRead(FileHandle file) noexcept { return ::fchmod(static_cast<int>(file), 0644) == 0; }

FileHandle OpenForReading(const TZChar *path) noexcept {
    const std::string native = NativePath(path);
    if (native.empty()) return kNoFile;
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return kNoFile;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

FileHandle CreateNewFile(const TZChar *path) noexcept {
    const std::string native = NativePath(path);
    if (native.empty()) return kNoFile;
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    return fd < 0 ? kNoFile : fd;
}

std::int64_t Read(FileHandle file, void *buffer, std::size_t bytes) noexcept {
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(file), buffer, bytes);
        if (n >= 0) return n;
        if (errno != EINTR) return -1;
    }
}

bool Write(FileHandle file, const void *data, std::size_t bytes) noexcept {
    const auto *p = static_cast<const char *>(data);
    while (bytes > 0) {
        const ssize_t n = ::write(static_cast<int>(file), p, bytes);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        bytes -= static_cast<std::size_t>(n);
    }
    return true;
}

bool Flush(FileHandle file) noexcept { return ::fsync(static_cast<int>(file)) == 0; }

bool Close(FileHandle file) noexcept { return ::close(static_cast<int>(file)) == 0; }

bool Replace(const TZChar *source, const TZChar *target) noexcept {
    const std::string from = NativePath(source), to = NativePath(target);
    return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
}

bool SyncDirectory(const TZChar *directory) noexcept {
    const int fd = OpenDirectory(directory);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool Exists(const TZChar *path) noexcept {
    const std::string native = NativePath(path);
    struct stat info {};
    return native.empty() || ::lstat(native.c_str(), &info) == 0 || errno != ENOENT;
}

bool Delete(const TZChar *path) noexcept {
    const std::string native = NativePath(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

// flock conflicts between two descriptors of the same directory even within
// one process, so a call that holds the lock must not ask for it again.
LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept {
    const int fd = OpenDirectory(directory);
    if (fd < 0) return kNoLock;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fd);
    return kNoLock;
}

void UnlockDirectory(LockHandle lock) noexcept {
    if (lock == kNoLock) return;
    ::flock(static_cast<int>(lock), LOCK_UN);
    ::close(static_cast<int>(lock));
}

bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept try {
    const int fd = OpenDirectory(directory);
    if (fd < 0) return false;
    DIR *listing = ::fdopendir(fd);
    if (listing == nullptr) {
        ::close(fd);
        return false;
    }
    while (const dirent *entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        const auto wide = ToUtf16(name);
        visit(context, wide.c_str());
    }
    ::closedir(listing);
    return true;
} catch (...) {
    return false;
}

std::uint64_t UniqueNumber() noexcept {
    static std::atomic<std::uint32_t> count{0};
    std::uint16_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random))
        random = static_cast<std::uint16_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t process = static_cast<std::uint32_t>(::getpid());
    return process << 32 | static_cast<std::uint64_t>(count++ & 0xFFFFu) << 16 | random;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace kelvane::host
