// Whole small files (device.ini, the tools' files) over the host's file operations.
//
// A rewrite goes through a temporary file of the engine's own naming, created
// exclusively under a fresh name, so it is never torn and never written
// through a planted link. Within an export the engine holds the data
// directory's lock, which makes the device's rewrites one writer at a time;
// a program that changes device.ini outside any export (a test, the
// catalogue builder) still gets an atomic rewrite, but the last of two such
// concurrent writers wins.
#include "platform/host_files.h"
#include "platform/utf.h"

#include <cstdio>

namespace kelvane::host {
namespace {
std::basic_string<TZChar> WidePath(const std::string &path) { return ToUtf16(path); }

constexpr int kNameAttempts = 4;

std::string TemporaryName(const std::string &path) {
    char number[20];
    std::snprintf(number, sizeof number, "%016llx", static_cast<unsigned long long>(UniqueNumber()));
    return path + "." + number + kTemporaryEnding;
}

// A new temporary file beside path; kNoFile when none could be created.
FileHandle CreateTemporary(const std::string &path, std::basic_string<TZChar> *temporary) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *temporary = WidePath(TemporaryName(path));
        const FileHandle file = CreateNewFile(temporary->c_str());
        if (file != kNoFile) return file;
    }
    return kNoFile;
}

std::string DirectoryOf(const std::string &path) {
    const auto separator = path.find_last_of(static_cast<char>(kSeparator));
    if (separator == std::string::npos) return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}
}  // namespace

bool ReadWhole(const std::string &path, std::string *contents) {
    const auto wide = WidePath(path);
    contents->clear();
    const FileHandle file = OpenForReading(wide.c_str());
    if (file == kNoFile) return !Exists(wide.c_str());
    char chunk[4096];
    std::int64_t n = 0;
    while ((n = Read(file, chunk, sizeof chunk)) > 0) contents->append(chunk, static_cast<std::size_t>(n));
    Close(file);
    return n == 0;
}

bool ReplaceWhole(const std::string &path, const std::string &contents, bool everyoneReads) {
    const auto target = WidePath(path);
    std::basic_string<TZChar> temporary;
    const FileHandle file = CreateTemporary(path, &temporary);
    if (file == kNoFile) return false;
    bool ok = (!everyoneReads || LetEveryoneRead(file)) && Write(file, contents.data(), contents.size()) && Flush(file);
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
