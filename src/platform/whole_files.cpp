// Whole small files (device.ini, the tools' files) over the host's file operations.
#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane::host {
namespace {
std::basic_string<TZChar> WidePath(const std::string &path) { return ToUtf16(path); }

std::string DirectoryOf(const std::string &path) {
    const auto separator = path.find_last_of(static_cast<char>(kSeparator));
    if (separator == std::string::npos) return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}
}  // namespace

bool ReadWhole(const std::string &path, std::string *contents) {
    const FileHandle file = OpenForReading(WidePath(path).c_str());
    if (file == kNoFile) return false;
    contents->clear();
    char chunk[4096];
    std::int64_t n = 0;
    while ((n = Read(file, chunk, sizeof chunk)) > 0) contents->append(chunk, static_cast<std::size_t>(n));
    Close(file);
    return n == 0;
}

bool ReplaceWhole(const std::string &path, const std::string &contents) {
    const auto target = WidePath(path);
    const auto temporary = WidePath(path + ".new");
    Delete(temporary.c_str());
    const FileHandle file = CreateNewFile(temporary.c_str());
    if (file == kNoFile) return false;
    bool ok = Write(file, contents.data(), contents.size()) && Flush(file);
    ok = Close(file) && ok;
    ok = ok && Replace(temporary.c_str(), target.c_str());
    if (!ok) {
        Delete(temporary.c_str());
        return false;
    }
    SyncDirectory(WidePath(DirectoryOf(path)).c_str());  // the new file is in place either way
    return true;
}

}  // namespace kelvane::host
