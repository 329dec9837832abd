// Where the data files lie: beside the host executable (not the library).
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::size_t kPathUnits = 4096;  // path buffers, terminator included

// Writes "<directory of the executable><separator><fileName>" into path (kPathUnits
// units). File when the executable's path is unknown, the result would not
// fit, or the name would leave the data directory (absolute, a ".." component,
// on Windows a drive, UNC or stream name); path must then not be opened.
// Subfolders of the data directory are allowed.
Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept;

// The data directory itself (kPathUnits units), without a trailing separator
// unless it is a root. File when the executable's path is unknown.
Result BuildDataDirectoryPath(TZChar *path) noexcept;

}  // namespace kelvane
