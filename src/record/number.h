// Decimal conversion as the C runtime's _wtol does it: leading white space,
// an optional sign, digits up to the first other character; no digits give 0.
// Values beyond 32 bits stop at the nearest limit. Fields that are 16 bits
// wide keep the low 16 bits of the result, so "-1" reads as 65535.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// The value of the data-file field that begins at field (before end) as
// stored: at most 63 units, '$' read as a space. Read where the field lies,
// without the copy.
std::int32_t FieldToLong(const TZChar *field, const TZChar *end) noexcept;

inline std::uint16_t WideToU16(const TZChar *field, const TZChar *end) noexcept {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(FieldToLong(field, end)));
}

}  // namespace kelvane
