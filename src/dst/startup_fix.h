// The start-up correction of the clock's daylight-saving values.
#pragma once

#include <cstdint>

#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

// Brings AutoDST, HomeDST and the settings' switch into line with the
// current zone's rule now. The caller holds the data directory's lock: the
// settings it reads and may rewrite and the clock values it sets belong to
// one writer at a time.
Result CorrectClockDaylight(const DataDirectoryLock &lock) noexcept;

// 0 when the platform answers standard time, else 1; State when it cannot
// answer at all (daylight then left alone).
Result ReadPlatformDaylight(std::uint32_t *daylight) noexcept;

}  // namespace kelvane
