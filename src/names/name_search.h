// Searching the system zones by the beginning of their description.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

// The matches into ids and names (rooms of 30 units), *count (0 on entry)
// their number; Param for an absent room met on the way.
Result SearchCatalogue(const TZChar *name, std::uint16_t *count, std::uint16_t *ids, TZChar **names) noexcept;

}  // namespace kelvane
