// Zones looked up by identifier for the daylight-saving operations.
//
// Both catalogue files are read to the end, TZ_UserDef.ini first, every line
// that counts considered whatever its Type. These operations act on one zone
// each, so they insist that every zone asked for is on exactly one line of
// the two files together: a zone on no line, or listed twice (in one file or
// in both), is not found.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

struct ZoneRequest {
    std::uint16_t id;
    TZInfo *zone;  // fields 1 to 16 of the matching line; Detail empty
    std::uint16_t lines = 0;
};

// A line fills the first request asking for its zone. File when a catalogue
// file cannot be opened (TZ_Def.ini is not read when TZ_UserDef.ini cannot
// be), NotFound unless every request matched exactly one line.
Result FindZonesOnce(RecordReader &reader, ZoneRequest *requests, std::uint16_t count) noexcept;

// One zone, with a reader of its own.
Result FindZoneOnce(std::uint16_t id, TZInfo *zone) noexcept;

}  // namespace kelvane
