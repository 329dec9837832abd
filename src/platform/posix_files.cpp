// The host's file system on POSIX hosts.
//
// Paths arrive as the engine builds them, in UTF-16 with '/' between the
// directory and the name; they are handed to the kernel as UTF-8, unchanged
// otherwise (a backslash is an ordinary character of a POSIX name).
// Readers open without blocking and accept regular files only; new files are
// created exclusively and never through a link; the data directory's lock is
// flock on the directory itself, so no lock file appears beside the data
// (how writers wait for it is in posix_lock_wait.cpp).
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

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/posix_lock_wait.h"
#include "platform/utf.h"

namespace kelvane::host {
namespace {
// The UTF-8 path, empty when it cannot be converted: on the stack when it
// fits there, as the paths of a data directory do, so an open costs no heap.
class NativePath {
public:
    explicit NativePath(const TZChar *path) noexcept {
        const auto wide = ViewOf(path, SIZE_MAX);
        if (wide.empty() || CopyAsUtf8(wide, short_, sizeof short_) != 0) return;
        try {
            long_ = ToUtf8(wide);
        } catch (...) {
            short_[0] = '\0';
        }
    }
    NativePath(const NativePath &) = delete;
    NativePath &operator=(const NativePath &) = delete;

    const char *c_str() const noexcept { return long_.empty() ? short_ : long_.c_str(); }
    bool empty() const noexcept { return c_str()[0] == '\0'; }

private:
    char short_[1024] = "";
    std::string long_;
};

// Files the engine creates are readable by everyone, whatever the umask.
constexpr mode_t kNewFileMode = 0644;

// Gives the file at source the owner and permission bits of the regular file
// at target, if there is one. The owner is set only where the writer may
// (root, or the same owner), and a refusal leaves the writer's own; the mode
// is set after it, as a change of owner may clear bits.
void KeepAccess(const char *source, const char *target) noexcept {
    struct stat replaced {};
    if (::lstat(target, &replaced) != 0 || !S_ISREG(replaced.st_mode)) return;
    const int fd = ::open(source, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat written {};
    if (::fstat(fd, &written) == 0 && S_ISREG(written.st_mode)) {
        if (written.st_uid != replaced.st_uid || written.st_gid != replaced.st_gid) {
            [[maybe_unused]] const int refused = ::fchown(fd, replaced.st_uid, replaced.st_gid);
        }
        ::fchmod(fd, replaced.st_mode & 0777);  // never a set-ID bit on a file the writer owns
    }
    ::close(fd);
}

int OpenDirectory(const TZChar *directory) noexcept {
    const NativePath native(directory);
    if (native.empty()) return -1;
    return ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
}  // namespace

std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept try {
    return CopyAsUtf16(ExecutablePath(), buffer, capacity);
} catch (...) {
    return 0;
}

std::uint32_t DataDirectoryVariable(TZChar *buffer, std::uint32_t capacity) noexcept {
    const char *value = ::secure_getenv("KELVANE_DATA");
    return value == nullptr ? 0 : CopyAsUtf16(value, buffer, capacity);
}

FileHandle OpenForReading(const TZChar *path) noexcept {
    const NativePath native(path);
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
    const NativePath native(path);
    if (native.empty()) return kNoFile;
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return kNoFile;
    ::fchmod(fd, kNewFileMode);  // whatever the umask took away
    return fd;
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
    const NativePath from(source), to(target);
    if (from.empty() || to.empty()) return false;
    KeepAccess(from.c_str(), to.c_str());
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool SyncDirectory(const TZChar *directory) noexcept {
    const int fd = OpenDirectory(directory);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool Exists(const TZChar *path) noexcept {
    const NativePath native(path);
    struct stat info {};
    return native.empty() || ::lstat(native.c_str(), &info) == 0 || errno != ENOENT;
}

bool Delete(const TZChar *path) noexcept {
    const NativePath native(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

// The system catalogue, which no writer of the engine replaces, is the
// turnstile in front of the lock: a writer takes its flock before it queues
// for the directory's lock and drops it once it has the lock. So at most one
// writer waits at the lock itself and gets it when it is released, while the
// writer that released it queues at the turnstile with the others. Without
// the file there is no turnstile, and the writers queue at the lock alone.
int OpenTurnstile(const TZChar *directory) noexcept try {
    const NativePath native(directory);
    if (native.empty()) return -1;
    const std::string turnstile = std::string(native.c_str()) + "/TZ_Def.ini";
    return ::open(turnstile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
} catch (...) {
    return -1;
}

// flock conflicts between two descriptors of the same directory even within
// one process, so a call that holds the lock must not ask for it again.
LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = OpenDirectory(directory);
    if (fd < 0) return kNoLock;
    const int turnstile = OpenTurnstile(directory);
    if (turnstile >= 0 && !TakeLock(turnstile, deadline)) {
        ::close(fd);
        return kNoLock;
    }
    const bool locked = TakeLock(fd, deadline);
    if (turnstile >= 0) ::close(turnstile);  // the next writer in
    return locked ? fd : kNoLock;
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
