// Whole small files (device.ini, the tools' files) rewritten over a platform's file operations.
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
constexpr int kNameAttempts = 4;

std::basic_string<TZChar> TemporaryName(const TZChar *path, std::uint64_t number) {
    char digits[20];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(number));
    return std::basic_string<TZChar>(path) + ToUtf16(std::string(".") + digits + kTemporaryEnding);
}

// A new temporary file beside path; kNoFile when none could be created.
FileHandle CreateTemporary(Platform &files, const TZChar *path, std::basic_string<TZChar> *temporary) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *temporary = TemporaryName(path, files.UniqueNumber());
        const FileHandle file = files.CreateNewFile(temporary->c_str());
        if (file != kNoFile) return file;
    }
    return kNoFile;
}

std::basic_string<TZChar> DirectoryOf(const TZChar *path) {
    const std::basic_string<TZChar> text(path);
    const auto separator = text.find_last_of(kSeparator);
    if (separator == std::basic_string<TZChar>::npos) return std::basic_string<TZChar>(1, TZChar('.'));
    return text.substr(0, separator == 0 ? 1 : separator);
}
}  // namespace

bool ReadWhole(const std::string &path, std::string *contents) {
    const auto wide = ToUtf16(path);
    contents->clear();
    const FileHandle file = OpenForReading(wide.c_str());
    if (file == kNoFile) return !Exists(wide.c_str());
    char chunk[4096];
    std::int64_t n = 0;
    while ((n = Read(file, chunk, sizeof chunk)) > 0) contents->append(chunk, static_cast<std::size_t>(n));
    Close(file);
    return n == 0;
}

bool ReplaceWhole(Platform &files, const TZChar *path, std::string_view contents, bool everyoneReads) {
    std::basic_string<TZChar> temporary;
    const FileHandle file = CreateTemporary(files, path, &temporary);
    if (file == kNoFile) return false;
    bool ok = (!everyoneReads || LetEveryoneRead(file)) && files.WriteFile(file, contents.data(), contents.size()) &&
              files.FlushFile(file);
    ok = files.CloseFile(file) && ok;
    ok = ok && files.ReplaceFile(temporary.c_str(), path);
    if (!ok) {
        files.DeleteFile(temporary.c_str());
        return false;
    }
    files.SyncDirectory(DirectoryOf(path).c_str());  // the new file is in place either way
    return true;
}

bool ReplaceWhole(const std::string &path, const std::string &contents, bool everyoneReads) {
    return ReplaceWhole(CurrentPlatform(), ToUtf16(path).c_str(), contents, everyoneReads);
}

}  // namespace kelvane::host
