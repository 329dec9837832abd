#include "dst/zone_records.h"

#include "catalogue/catalogue_files.h"

namespace kelvane {

Result FindZonesOnce(RecordReader &reader, ZoneRequest *requests, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) requests[i].lines = 0;
    auto asked = [&](std::uint16_t id) noexcept {
        for (std::uint16_t i = 0; i < count; ++i) {
            if (requests[i].id == id) return true;
        }
        return false;
    };
    auto match = [&](const RecordLine &line) noexcept {
        const std::uint16_t id = LineZoneId(line);
        for (std::uint16_t i = 0; i < count; ++i) {
            if (requests[i].id != id) continue;
            ReadZoneNumbers(line, requests[i].zone);
            requests[i].zone->Detail[0] = 0;
            if (requests[i].lines < UINT16_MAX) ++requests[i].lines;
            break;
        }
        return true;  // every line is counted, so read to the end
    };
    if (const Result r = reader.ReadWhere(kUserCatalogueFile, kUserZoneMinFields, asked, match); r != Result::Ok) return r;
    if (const Result r = reader.ReadWhere(kSystemCatalogueFile, kSystemZoneMinFields, asked, match); r != Result::Ok) return r;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (requests[i].lines != 1) return Result::NotFound;
    }
    return Result::Ok;
}

Result FindZoneOnce(std::uint16_t id, TZInfo *zone) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    ZoneRequest request{id, zone};
    return FindZonesOnce(reader, &request, 1);
}

}  // namespace kelvane
