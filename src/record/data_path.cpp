#include "record/data_path.h"

#include "platform/host_files.h"
#include "platform/platform.h"
#include "record/text.h"

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
}  // namespace

Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept {
    if (fileName == nullptr || path == nullptr) return Result::Param;
    const std::uint32_t moduleLength = CurrentPlatform().ModuleFileName(path, kPathUnits);
    if (moduleLength == 0 || moduleLength >= kPathUnits) return Result::File;
    std::size_t length = DirectoryLength(path, moduleLength);
    const std::size_t nameLength = BoundedLength(fileName, kPathUnits);
    if (length + 1 + nameLength >= kPathUnits) return Result::File;
    if (length == 0 || !IsSeparator(path[length - 1])) path[length++] = host::kSeparator;  // a root has one
    for (std::size_t i = 0; i < nameLength; ++i) path[length++] = fileName[i];
    path[length] = 0;
    return Result::Ok;
}

}  // namespace kelvane
