// Small files whole: read through a platform (device.ini, clock.ini, the
// system zone file), replaced by UTF-8 path with the host's file operations
// (the system zone file, the tools' files) or through a platform.
//
// A rewrite is the engine's atomic replace (atomic_replace.h) over the
// host's file operations. Within an export the engine holds the data
// directory's lock, which makes the device's rewrites one writer at a time;
// a program that changes device.ini outside any export (a test, the
// catalogue builder) still gets an atomic rewrite, but the last of two such
// concurrent writers wins.
#include "platform/atomic_replace.h"
#include "platform/host_files.h"
#include "platform/scoped_file.h"
#include "platform/utf.h"

namespace kelvane::host {

bool ReadWhole(Platform &files, const TZChar *path, std::string *contents, std::size_t limit) {
    contents->clear();
    const ScopedFile file(files, files.OpenForReading(path));
    if (!file.IsOpen()) return !Exists(path);
    char chunk[4096];
    std::int64_t n = 0;
    while ((n = files.ReadFile(file.Get(), chunk, sizeof chunk)) > 0) {
        if (contents->size() + static_cast<std::size_t>(n) > limit) return false;
        contents->append(chunk, static_cast<std::size_t>(n));
    }
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
