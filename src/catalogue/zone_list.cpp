#include "catalogue/zone_list.h"

namespace kelvane {
namespace {
void FillZone(const RecordLine &line, bool isUserZone, ZoneFields fields, TZInfo *zone) noexcept {
    if (fields == ZoneFields::Whole) {
        ReadZoneNumbers(line, zone);
    } else {
        zone->TZID = LineZoneId(line);
        zone->Offset = line.Number(1);
        zone->Type = LineZoneType(line);
    }
    if (!isUserZone) {
        zone->Detail[0] = 0;
        return;
    }
    zone->Type = kUserZoneType;
    if (fields == ZoneFields::Whole) CopyText(zone->Detail, line.Text(kDetailField));
}
}  // namespace

Result CountTZList(std::uint16_t *count, std::uint16_t selection) noexcept {
    if (count == nullptr) return Result::Param;
    if (selection > kSelectUserZones || *count < TZ_MAX_ZONES) return Result::Param;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    std::uint16_t listed = 0;
    const Result read = ReadListedZones(reader, selection, [&](const RecordLine &, bool) noexcept { ++listed; });
    if (read == Result::Ok) *count = listed;
    return read;
}

Result LoadTZList(TZInfo *zones, std::uint16_t *count, std::uint16_t selection) noexcept {
    RecordReader reader;
    return LoadTZList(reader, zones, count, selection);
}

Result LoadTZList(RecordReader &reader, TZInfo *zones, std::uint16_t *count, std::uint16_t selection,
                  UserLineWatcher *watcher, ZoneFields fields) noexcept {
    if (zones == nullptr || count == nullptr) return Result::Param;
    if (selection > kSelectUserZones || *count < TZ_MAX_ZONES) return Result::Param;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    std::uint16_t filled = 0;
    const Result read = ReadListedZones(
        reader, selection,
        [&](const RecordLine &line, bool isUserZone) noexcept { FillZone(line, isUserZone, fields, &zones[filled++]); },
        [&](const RecordLine &line, std::uint16_t taken) noexcept {
            if (watcher != nullptr) watcher->OnUserLine(line, zones, taken);
        });
    if (read != Result::Ok) return read;
    *count = filled;
    return Result::Ok;
}

}  // namespace kelvane
