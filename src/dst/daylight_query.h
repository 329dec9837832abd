// Whether a zone's daylight time is in force, from its catalogue record alone.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

// The zone's state at the platform's current UTC time. Param for zone 0 or
// an absent state; File, NotFound (the zone not on exactly one catalogue
// line), NoMemory or Parser from the lookup. state is written only on success.
Result QueryTZDltState(std::uint16_t tzid, std::uint32_t *state) noexcept;

// The zone's state at the given moment; the zone (not 0) and state are the
// caller's to check. Results as above.
Result QueryTZDltStateOn(std::uint16_t tzid, const SYSTEMTIME &date, std::uint32_t *state) noexcept;

}  // namespace kelvane
