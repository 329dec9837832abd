#include "record/data_path.h"

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/platform.h"

namespace kelvane {
namespace {

// A name that stays inside the data directory: not absolute, no ".."
// component and, on Windows, no drive, UNC or stream (':') name. Subfolders
// are fine. The description file names come from Lang_Def.ini, which must
// not be able to point the engine at any other file of the host.
bool StaysInside(const TZChar *name, std::size_t length) noexcept {
    if (length == 0 || host::IsSeparator(name[0])) return false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
#if defined(_WIN32)
        if (i < length && name[i] == L':') return false;
#endif
        if (i < length && !host::IsSeparator(name[i])) continue;
        if (i - start == 2 && name[start] == u'.' && name[start + 1] == u'.') return false;
        start = i + 1;
    }
    return true;
}

// The data directory into path; its length, or 0 when unknown.
std::size_t ModuleDirectory(TZChar *path) noexcept {
    const std::uint32_t length = CurrentPlatform().DataDirectory(path, kPathUnits);
    return length >= kPathUnits ? 0 : length;
}
}  // namespace

Result BuildDataDirectory(TZChar *path, std::size_t *length) noexcept {
    if (path == nullptr || length == nullptr) return Result::Param;
    std::size_t n = ModuleDirectory(path);
    if (n == 0 || n + 1 >= kPathUnits) return Result::File;
    if (!host::IsSeparator(path[n - 1])) path[n++] = host::kSeparator;  // a root has one
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
