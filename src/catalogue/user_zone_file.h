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
// is 0 (that is how a deletion reaches the file). The lines the list read
// does not carry, those after the 50th user zone (a file written by another
// tool or by hand), follow unchanged, except those carrying one of the
// dropped identifiers; a file too long to carry through is not rewritten
// (Write), and neither is a file that cannot be read (File). Param for no
// records. The caller holds the data directory's lock.
Result SaveUserTZFile(const DataDirectoryLock &lock, const TZInfo *zones, std::uint16_t count,
                      const std::uint16_t *dropped = nullptr, std::uint16_t droppedCount = 0) noexcept;

// A user catalogue without zones, the header alone: a new data set's.
Result CreateUserTZFile(const DataDirectoryLock &lock) noexcept;

}  // namespace kelvane
