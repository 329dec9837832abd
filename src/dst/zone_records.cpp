#include "dst/zone_records.h"

namespace kelvane {

Result FindZonesOnce(RecordReader &reader, ZoneRequest *requests, std::uint16_t count) noexcept {
    return FindZones(reader, requests, count, RepeatedZone::NotFound);
}

Result FindZoneOnce(std::uint16_t id, TZInfo *zone) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    ZoneRequest request{id, zone};
    return FindZonesOnce(reader, &request, 1);
}

}  // namespace kelvane
