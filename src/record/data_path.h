// Where the data files lie: in the directory KELVANE_DATA names, else beside
// the host executable (not the library); the platform knows which.
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::size_t kPathUnits = 4096;  // path buffers, terminator included

// Writes "<directory of the executable><separator>" into path (kPathUnits
// units) and its length into *length. File when the executable's path is
// unknown or too long; path must then not be opened.
Result BuildDataDirectory(TZChar *path, std::size_t *length) noexcept;

// Puts fileName after the directory's directoryLength units. File when the
// result would not fit or the name would leave the data directory (absolute,
// a ".." component, on Windows a drive, UNC or stream name); path must then
// not be opened. Subfolders of the data directory are allowed.
Result PlaceFileName(TZChar *path, std::size_t directoryLength, const TZChar *fileName) noexcept;

// Both at once: "<directory of the executable><separator><fileName>".
Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept;

// The data directory itself (kPathUnits units), without a trailing separator
// unless it is a root. File when the executable's path is unknown.
Result BuildDataDirectoryPath(TZChar *path) noexcept;

}  // namespace kelvane
