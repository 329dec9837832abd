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
#include "catalogue/zone_lookup.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

// FindZones (catalogue/zone_lookup.h) with RepeatedZone::NotFound: NotFound
// unless every request matched exactly one line.
Result FindZonesOnce(RecordReader &reader, ZoneRequest *requests, std::uint16_t count) noexcept;

// One zone, with a reader of its own.
Result FindZoneOnce(std::uint16_t id, TZInfo *zone) noexcept;

}  // namespace kelvane
