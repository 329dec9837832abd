// Moving a time by seconds.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// False, the time left as it was, for a time the calendar cannot represent:
// an invalid date, or a result before 1601 or after 30827.
bool MoveBySeconds(SYSTEMTIME &time, std::int32_t seconds) noexcept;

}  // namespace kelvane
