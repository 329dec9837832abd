// Which zones observe daylight saving (both changeover months set).
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

// types[i] is 1 when the whole catalogue's first zone ids[i] has both
// changeover months set, else 0 (also for a zone it does not list).
Result ReadDaylightTypes(const std::uint16_t *ids, std::uint32_t count, std::uint32_t *types) noexcept;

}  // namespace kelvane
