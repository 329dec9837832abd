// The frequency list is always checked against the catalogue as the whole
// list read gives it (system zones, then the user's), so every rewrite drops
// zones that no longer exist.
#pragma once

#include <cstdint>

#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

// Copies to kept, in order, each entry of list that names a catalogue zone,
// and their number to keptCount; kept may be list itself. Nothing is written
// on failure (File, NoMemory, Parser).
Result KeepCatalogueZones(const std::uint16_t *list, std::uint16_t count, std::uint16_t *kept,
                          std::uint16_t *keptCount) noexcept;

// The same through the calling operation's reader.
Result KeepCatalogueZones(RecordReader &reader, const std::uint16_t *list, std::uint16_t count, std::uint16_t *kept,
                          std::uint16_t *keptCount) noexcept;

}  // namespace kelvane
