// Zone records by identifier.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

// Reads TZ_UserDef.ini, then TZ_Def.ini, through the calling operation's
// reader; each line fills the first slot asking for its zone (Detail left
// empty) and marks it in filled, a later line overwriting an earlier one.
// NotFound when a slot stays unfilled.
Result LookUpZones(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count, TZInfo *infos,
                   bool *filled) noexcept;

// The same through a reader of its own (count at least 1).
Result LookUpZones(const std::uint16_t *ids, std::uint16_t count, TZInfo *infos) noexcept;

}  // namespace kelvane
