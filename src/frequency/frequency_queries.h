// Whether given zones are on the frequency list.
#pragma once

#include <cstdint>

#include "record/result.h"

namespace kelvane {

// flags[i] is 1 when ids[i] is on the list as stored, else 0. The list is
// taken without the catalogue check, so a stale entry still counts.
Result ReadFrequencyFlags(std::uint16_t count, const std::uint16_t *ids, std::uint32_t *flags) noexcept;

}  // namespace kelvane
