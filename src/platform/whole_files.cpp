// Whole small files (device.ini, the tools' files).
//
// A rewrite is the engine's atomic replace (atomic_replace.h) over the
// host's file operations. Within an export the engine holds the data
// directory's lock, which makes the device's rewrites one writer at a time;
// a program that changes device.ini outside any export (a test, the
// catalogue builder) still gets an atomic rewrite, but the last of two such
// concurrent writers wins.
#include "platform/atomic_replace.h"
#include "platform/host_files.h"
#include "platform/utf.h"

namespace kelvane::host {


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

bool ReplaceWhole(Platform &files, const TZChar *path, std::string_view contents) {
    return ReplaceAtomically(files, path, contents.data(), contents.size()) == ReplaceOutcome::Replaced;
}

bool ReplaceWhole(const std::string &path, const std::string &contents) {
    Files files;
    return ReplaceAtomically(files, ToUtf16(path).c_str(), contents.data(), contents.size()) ==
           ReplaceOutcome::Replaced;
}

}  // namespace kelvane::host
