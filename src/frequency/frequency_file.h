// TZ_Frequency.ini: the zones the user picks often, in the order they were
// added. A data line is the zone identifier and a use count; the count is
// always written as 1 and never read, the position in the file is the order.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

inline constexpr const TZChar *kFrequencyFile = KT("TZ_Frequency.ini");
inline constexpr std::uint16_t kFrequencyMinFields = 2;
// Every buffer that holds the list has room for this many entries; a longer
// (hand-edited) file is read up to here and no further.
inline constexpr std::uint16_t kFrequencyCapacity = TZ_MAX_ZONES;
// A list of this many entries is refused, so a stored list holds at most 49.
inline constexpr std::uint16_t kFrequencyLimit = 50;

// The list in file order into ids (room for kFrequencyCapacity entries). With
// checkCatalogue, entries whose zone is no longer in the catalogue are left
// out. count is written only once the file was read: File (missing file)
// leaves it alone, a failure of the catalogue check leaves it 0.
Result ReadTZFrequency(std::uint16_t *count, std::uint16_t *ids, bool checkCatalogue) noexcept;
// The list as the file holds it into list (room for kFrequencyCapacity
// entries), for a caller that only reads it; count written once it was read.
Result ReadFrequencyList(std::uint16_t *list, std::uint16_t *count) noexcept;

// Rewrites the file with exactly these entries, in this order; the caller
// holds the data directory's lock.
Result WriteTZFrequency(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept;

inline bool ListHolds(const std::uint16_t *list, std::uint32_t count, std::uint16_t id) noexcept {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (list[i] == id) return true;
    }
    return false;
}

}  // namespace kelvane
