#include "record/data_path.h"

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/platform.h"

namespace kelvane {
namespace {
bool IsSeparator(TZChar c) noexcept {
#if defined(_WIN32)
    return c == L'\\' || c == L'/';
#else
    return c == u'/';  // a backslash is an ordinary character of a POSIX name
#endif
}

// Drops the last path component and its separator, keeping a root's separator.
std::size_t DirectoryLength(const TZChar *path, std::size_t length) noexcept {
    std::size_t cut = length;
    while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
    if (cut == 0) return 0;
    const bool isRoot = cut == 1 || (cut == 3 && path[1] == u':');
    return isRoot ? cut : cut - 1;
}

// A name that stays inside the data directory: not absolute, no ".."
// component and, on Windows, no drive, UNC or stream (':') name. Subfolders
// are fine. The description file names come from Lang_Def.ini, which must
// not be able to point the engine at any other file of the host.
bool StaysInside(const TZChar *name, std::size_t length) noexcept {
    if (length == 0 || IsSeparator(name[0])) return false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
#if defined(_WIN32)
        if (i < length && name[i] == L':') return false;
#endif
        if (i < length && !IsSeparator(name[i])) continue;
        if (i - start == 2 && name[start] == u'.' && name[start + 1] == u'.') return false;
        start = i + 1;
    }
    return true;
}

// The executable's directory into path; its length, or 0 when unknown.
std::size_t ModuleDirectory(TZChar *path) noexcept {
    const std::uint32_t moduleLength = CurrentPlatform().ModuleFileName(path, kPathUnits);
    if (moduleLength == 0 || moduleLength >= kPathUnits) return 0;
    return DirectoryLength(path, moduleLength);
}
}  // namespace

Result BuildDataDirectory(TZChar *path, std::size_t *length) noexcept {
    if (path == nullptr || length == nullptr) return Result::Param;
    std::size_t n = ModuleDirectory(path);
    if (n == 0 || n + 1 >= kPathUnits) return Result::File;
    if (!IsSeparator(path[n - 1])) path[n++] = host::kSeparator;  // a root has one
    path[n] = 0;
    *length = n;
    return Result::Ok;
}

Result PlaceFileName(TZChar *path, std::size_t directoryLength, const TZChar *fileName) noexcept {
    if (fileName == nullptr || path == nullptr) return Result::Param;
    const std::size_t nameLength = BoundedLength(fileName, kPathUnits);
    if (!StaysInside(fileName, nameLength) || directoryLength + nameLength >= kPathUnits) return Result::File;
    for (std::size_t i = 0; i < nameLength; ++i) path[directoryLength + i] = fileName[i];
    path[directoryLength + nameLength] = 0;
    return Result::Ok;
}

Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept {
    if (fileName == nullptr || path == nullptr) return Result::Param;
    std::size_t length = 0;
    if (const Result built = BuildDataDirectory(path, &length); built != Result::Ok) return built;
    return PlaceFileName(path, length, fileName);
}

Result BuildDataDirectoryPath(TZChar *path) noexcept {
    if (path == nullptr) return Result::Param;
    const std::size_t length = ModuleDirectory(path);
    if (length == 0) return Result::File;
    path[length] = 0;
    return Result::Ok;
}

}  // namespace kelvane
