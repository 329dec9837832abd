// Where the data files lie: beside the host executable (not the library).
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::size_t kPathUnits = 4096;  // path buffers, terminator included

// Writes "<directory of the executable><separator><fileName>" into path (kPathUnits
// units). File when the executable's path is unknown or the result would not
// fit; path is then left unset and must not be opened.
Result BuildDataFilePath(const TZChar *fileName, TZChar *path) noexcept;

}  // namespace kelvane
