// Zone records by identifier.
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

// What a zone on more than one line of the two files together means.
enum class RepeatedZone {
    LaterLineWins,  // the catalogue's reading: a zone in both files comes from TZ_Def.ini
    NotFound,       // an operation on one zone insists on exactly one line
};

// Reads TZ_UserDef.ini, then TZ_Def.ini, to the end; each line fills the
// first request asking for its zone, a later line overwriting an earlier
// one, and is counted in its lines. File when a catalogue file cannot be
// opened (TZ_Def.ini is not read when TZ_UserDef.ini cannot be); NotFound
// when a request found no line, or under RepeatedZone::NotFound more than one.
Result FindZones(RecordReader &reader, ZoneRequest *requests, std::uint16_t count, RepeatedZone repeated) noexcept;

// The catalogue's reading into parallel arrays: infos[j] for ids[j], marked
// in filled[j]. NoMemory when the requests cannot be had.
Result LookUpZones(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count, TZInfo *infos,
                   bool *filled) noexcept;

// The same through a reader of its own (count at least 1).
Result LookUpZones(const std::uint16_t *ids, std::uint16_t count, TZInfo *infos) noexcept;

}  // namespace kelvane
