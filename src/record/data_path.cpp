#include "record/data_path.h"

#include "platform/platform.h"
#include "record/text.h"

namespace kelvane {
namespace {
// Drops the last path component and its separator, keeping a root's separator.
std::size_t DirectoryLength(const TZChar *path, std::size_t length) noexcept {
    std::size_t cut = length;
    while (cut > 0 && path[cut - 1] != u'\\' && path[cut - 1] != u'/') --cut;
    if (cut == 0) return 0;
    const bool isRoot = cut == 1 || (cut == 3 && path[1] == u':');
    return isRoot ? cut : cut - 1;
}
}  // namespace

Result BuildDataDirectory(TZChar *path, std::size_t *length) noexcept {
    if (path == nullptr || length == nullptr) return Result::Param;
    const std::uint32_t moduleLength = CurrentPlatform().ModuleFileName(path, kPathUnits);
    if (moduleLength == 0 || moduleLength >= kPathUnits) return Result::File;
    std::size_t n = DirectoryLength(path, moduleLength);
    if (n + 1 >= kPathUnits) return Result::File;
    path[n++] = u'\\';
    path[n] = 0;
    *length = n;
    return Result::Ok;
}

Result PlaceFileName(TZChar *path, std::size_t directoryLength, const TZChar *fileName) noexcept {
    if (fileName == nullptr || path == nullptr) return Result::Param;
    const std::size_t nameLength = BoundedLength(fileName, kPathUnits);
    if (directoryLength + nameLength >= kPathUnits) return Result::File;
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

}  // namespace kelvane
