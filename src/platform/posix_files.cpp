#include "platform/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/utf.h"
#include "record/text.h"

namespace kelvane::posix {
namespace {
std::string DirectoryOf(const std::string &path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename durable: the directory entry itself must reach the disk.
bool SyncDirectory(const std::string &directory) noexcept {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

std::string NativePath(const TZChar *path) {
    std::string native = ToUtf8(ViewOf(path, SIZE_MAX));
    for (char &c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

FileHandle OpenForReading(const std::string &path) noexcept {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kNoFile;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // regular files only
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

FileHandle OpenForWriting(const std::string &path) noexcept {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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

bool Replace(const std::string &source, const std::string &target) noexcept {
    if (::rename(source.c_str(), target.c_str()) != 0) return false;
    return SyncDirectory(DirectoryOf(target));
}

bool Delete(const std::string &path) noexcept { return ::unlink(path.c_str()) == 0; }

bool ReadWhole(const std::string &path, std::string *contents) {
    const FileHandle file = OpenForReading(path);
    if (file == kNoFile) return false;
    contents->clear();
    char chunk[4096];
    std::int64_t n = 0;
    while ((n = Read(file, chunk, sizeof chunk)) > 0) contents->append(chunk, static_cast<std::size_t>(n));
    Close(file);
    return n == 0;
}

bool ReplaceWhole(const std::string &path, const std::string &contents) {
    const std::string temporary = path + ".new";
    const FileHandle file = OpenForWriting(temporary);
    if (file == kNoFile) return false;
    bool ok = Write(file, contents.data(), contents.size()) && Flush(file);
    ok = Close(file) && ok;
    ok = ok && Replace(temporary, path);
    if (!ok) Delete(temporary);
    return ok;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace kelvane::posix
