#include "frequency/catalogue_check.h"

#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "platform/memory.h"

namespace kelvane {
namespace {
bool InCatalogue(const TZInfo *zones, std::uint16_t zoneCount, std::uint16_t id) noexcept {
    for (std::uint16_t z = 0; z < zoneCount; ++z) {
        if (zones[z].TZID == id) return true;
    }
    return false;
}
}  // namespace

Result KeepCatalogueZones(const std::uint16_t *list, std::uint16_t count, std::uint16_t *kept,
                          std::uint16_t *keptCount) noexcept {
    Owned<TZInfo[]> zones = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    if (!zones) return Result::NoMemory;
    std::uint16_t zoneCount = TZ_MAX_ZONES;
    if (const Result read = LoadTZList(zones.get(), &zoneCount, kSelectWholeCatalogue); read != Result::Ok)
        return read;
    std::uint16_t n = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (InCatalogue(zones.get(), zoneCount, list[i])) kept[n++] = list[i];
    }
    *keptCount = n;
    return Result::Ok;
}

}  // namespace kelvane
