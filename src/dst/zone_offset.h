// How far apart the clocks of two zones are now.
#pragma once

#include <cstdint>

namespace kelvane {

// Zone 1's effective bias minus zone 2's, in minutes (both zones not 0).
// False when a file or zone is missing, or the difference does not fit in
// 32 bits or equals TZ_OFFSET_ERROR; offset is written only on success.
bool ZoneOffset(std::uint16_t tzid1, std::uint16_t tzid2, std::int32_t *offset) noexcept;

}  // namespace kelvane
