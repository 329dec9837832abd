// TZ_Zone.ini: which zones belong to which named group. A data line is a
// zone identifier and a group name (a space written '$'); a zone may belong
// to several groups, and the lines of a group give the order in which its
// zones enter a list.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

// The zones of groupName (compared whole, code unit by code unit) into ids,
// in file order, at most TZ_MAX_ZONES. *count: the capacity of ids in (at
// least TZ_MAX_ZONES, else Param), the zones stored out; left alone on
// failure. A selection other than 0, 1 or 2 gives an empty list.
// Read through the calling operation's reader.
Result ReadZoneTable(RecordReader &reader, std::uint16_t *ids, std::uint16_t selection, std::uint16_t *count,
                     const TZChar *groupName) noexcept;

}  // namespace kelvane
