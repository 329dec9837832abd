// Zone records by identifier.
//
// The user file is read first, then the system file, and a later matching
// line overwrites an earlier one, so a zone present in both files comes from
// TZ_Def.ini. A repeated identifier fills only its first request, and a zone
// found on lines of both files still fills just one.
#include "catalogue/zone_lookup.h"

#include "catalogue/catalogue_files.h"
#include "platform/memory.h"

namespace kelvane {
namespace {
bool Found(const ZoneRequest &request, RepeatedZone repeated) noexcept {
    return repeated == RepeatedZone::LaterLineWins ? request.lines > 0 : request.lines == 1;
}

// Requests for ids into infos, in memory of their own.
Owned<ZoneRequest[]> RequestsFor(const std::uint16_t *ids, std::uint16_t count, TZInfo *infos) noexcept {
    Owned<ZoneRequest[]> requests = AllocateArray<ZoneRequest>(count);
    if (!requests) return requests;
    for (std::uint16_t j = 0; j < count; ++j) requests[j] = ZoneRequest{ids[j], &infos[j]};
    return requests;
}
}  // namespace

Result FindZones(RecordReader &reader, ZoneRequest *requests, std::uint16_t count, RepeatedZone repeated) noexcept {
    for (std::uint16_t j = 0; j < count; ++j) requests[j].lines = 0;
    auto asked = [&](std::uint16_t id) noexcept {
        for (std::uint16_t j = 0; j < count; ++j) {
            if (requests[j].id == id) return true;
        }
        return false;
    };
    auto fill = [&](const RecordLine &line) noexcept {
        const std::uint16_t id = LineZoneId(line);
        std::uint16_t j = 0;
        while (j < count && requests[j].id != id) ++j;
        if (j == count) return true;
        ReadZoneNumbers(line, requests[j].zone);
        requests[j].zone->Detail[0] = 0;
        if (requests[j].lines < UINT16_MAX) ++requests[j].lines;
        return true;  // every line is counted, so read to the end
    };
    if (const Result r = reader.ReadWhere(kUserCatalogueFile, kUserZoneMinFields, asked, fill); r != Result::Ok) return r;
    if (const Result r = reader.ReadWhere(kSystemCatalogueFile, kSystemZoneMinFields, asked, fill); r != Result::Ok) return r;
    for (std::uint16_t j = 0; j < count; ++j) {
        if (!Found(requests[j], repeated)) return Result::NotFound;
    }
    return Result::Ok;
}

Result LookUpZones(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count, TZInfo *infos,
                   bool *filled) noexcept {
    Owned<ZoneRequest[]> requests = RequestsFor(ids, count, infos);
    if (!requests) return Result::NoMemory;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    const Result found = FindZones(reader, requests.get(), count, RepeatedZone::LaterLineWins);
    for (std::uint16_t j = 0; j < count; ++j) filled[j] = Found(requests[j], RepeatedZone::LaterLineWins);
    return found;
}

Result LookUpZones(const std::uint16_t *ids, std::uint16_t count, TZInfo *infos) noexcept {
    Owned<ZoneRequest[]> requests = RequestsFor(ids, count, infos);
    if (!requests) return Result::NoMemory;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return FindZones(reader, requests.get(), count, RepeatedZone::LaterLineWins);
}

}  // namespace kelvane
