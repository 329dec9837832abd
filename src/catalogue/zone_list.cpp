#include "catalogue/zone_list.h"

#include "catalogue/catalogue_files.h"

namespace kelvane {
namespace {
bool SelectsSystemLine(std::uint16_t selection, const RecordLine &line) noexcept {
    return selection == kSelectWholeCatalogue ||
           (selection == kSelectCompatibility && LineZoneType(line) == kCompatibilityZoneType);
}

void FillUserZone(const RecordLine &line, TZInfo *zone) noexcept {
    ReadZoneNumbers(line, zone);
    zone->Type = kUserZoneType;
    CopyText(zone->Detail, line.Text(kDetailField));
}
}  // namespace

Result LoadTZList(TZInfo *zones, std::uint16_t *count, std::uint16_t selection) noexcept {
    RecordReader reader;
    return LoadTZList(reader, zones, count, selection);
}

Result LoadTZList(RecordReader &reader, TZInfo *zones, std::uint16_t *count, std::uint16_t selection,
                  UserLineWatcher *watcher) noexcept {
    if (zones == nullptr || count == nullptr) return Result::Param;
    if (selection > kSelectUserZones || *count < TZ_MAX_ZONES) return Result::Param;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    std::uint16_t filled = 0;

    if (selection != kSelectUserZones) {
        const Result read = reader.Read(kSystemCatalogueFile, kSystemZoneMinFields, [&](const RecordLine &line) noexcept {
            if (filled < TZ_MAX_SYSTEM_ZONES && SelectsSystemLine(selection, line)) {
                ReadZoneNumbers(line, &zones[filled]);
                zones[filled++].Detail[0] = 0;
            }
            return true;  // always read to the end
        });
        if (read != Result::Ok) return read;
    }
    if (selection == kSelectWholeCatalogue || selection == kSelectUserZones) {
        const std::uint16_t limit = selection == kSelectUserZones ? TZ_MAX_USER_ZONES : TZ_MAX_ZONES;
        const Result read = reader.Read(kUserCatalogueFile, kUserZoneMinFields, [&](const RecordLine &line) noexcept {
            if (filled < limit && LineZoneType(line) == kUserZoneType) FillUserZone(line, &zones[filled++]);
            if (watcher != nullptr) watcher->OnUserLine(line, zones, filled);
            return true;
        });
        if (read != Result::Ok) return read;
    }
    *count = filled;
    return Result::Ok;
}

}  // namespace kelvane
