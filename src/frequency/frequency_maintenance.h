// Changing the frequency list: each change reads the list with the catalogue
// check, changes it in memory and rewrites the file whole, so every rewrite
// also drops zones that no longer exist. The caller holds the data
// directory's lock from the read to the rewrite.
#pragma once

#include <cstdint>

#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

// Appends the zones not on the list yet, in the order given. ListFull when the
// list would hold kFrequencyLimit entries or more (given zones unknown to the
// catalogue count here, and are dropped only when the list is written).
Result AddFrequencyZones(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept;

// Removes every occurrence of the given zones; count 0 only drops stale entries.
Result DeleteFrequencyZones(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept;

// Zones to put on the list and zones to take off it.
struct FrequencyChanges {
    const std::uint16_t *adds;
    std::uint16_t addCount;
    const std::uint16_t *removes;
    std::uint16_t removeCount;
};

// ids[0..count) split by their flags (not 0: add) into adds and removes,
// each with room for count entries.
FrequencyChanges SplitFrequencyFlags(std::uint16_t count, const std::uint16_t *ids, const std::uint32_t *flags,
                                     std::uint16_t *adds, std::uint16_t *removes) noexcept;

// The additions, then the removals; a failed addition ends it before
// anything is removed.
Result UpdateFrequencyZones(const DataDirectoryLock &lock, const FrequencyChanges &changes) noexcept;

}  // namespace kelvane
