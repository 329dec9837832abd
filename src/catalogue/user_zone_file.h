// The writer of TZ_UserDef.ini: the banner, the field legend, the column line
// and one line per live zone, in the line format every catalogue reader
// accepts. It is the only writer of the user catalogue.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

// Rewrites the file from zones[0..count-1], leaving out records whose TZID
// is 0 (that is how a deletion reaches the file). Param for no records. The
// caller holds the data directory's lock.
Result SaveUserTZFile(const DataDirectoryLock &lock, const TZInfo *zones, std::uint16_t count) noexcept;

}  // namespace kelvane
