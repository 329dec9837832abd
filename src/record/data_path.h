// Where the data files lie: beside the host executable (not the library).
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::size_t kPathUnits = 4096;  // path buffers, terminator included

// Writes "<directory of the executable>\" into path (kPathUnits units) and
// its length into *length. File when the executable's path is unknown or too
// long; path must then not be opened.
Result BuildDataDirectory(TZChar *path, std::size_t *length) noexcept;

// Puts fileName after the directory's directoryLength units. File when the
// result would not fit.
Result PlaceFileName(TZChar *path, std::size_t directoryLength, const TZChar *fileName) noexcept;

// Both at once: "<directory of the executable>\<fileName>".
Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept;

}  // namespace kelvane
