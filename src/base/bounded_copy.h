// Bounded copies of terminated texts. Both always terminate the destination
// and write nothing past the terminator; capacity counts the terminator and
// is at least 2.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// The source, cut to capacity - 1 units.
void BoundedCopy(TZChar *dest, const TZChar *src, std::uint16_t capacity) noexcept;

// Units start to end of the source (end 0, or an end at or past the last
// unit, runs to its end), cut to capacity - 1; the caller has checked that
// end is not before start.
void BoundedSubstring(TZChar *dest, const TZChar *src, std::uint16_t start, std::uint16_t end,
                      std::uint16_t capacity) noexcept;

}  // namespace kelvane
