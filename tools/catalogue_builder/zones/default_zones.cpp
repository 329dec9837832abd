#include "zones/default_zones.h"

namespace kelvane::builder {

void AssignDefaultZones(std::vector<CatalogueZone> *zones, const std::map<std::uint16_t, std::size_t> &cityCounts) {
    const auto countOf = [&](std::uint16_t id) {
        const auto it = cityCounts.find(id);
        return it == cityCounts.end() ? std::size_t{0} : it->second;
    };
    std::map<std::int32_t, const CatalogueZone *> defaults;  // by bias
    for (const CatalogueZone &z : *zones) {
        const CatalogueZone *&best = defaults[z.rule.bias];
        const bool better = best == nullptr || countOf(z.id) > countOf(best->id) ||
                            (countOf(z.id) == countOf(best->id) && z.id < best->id);
        if (better) best = &z;
    }
    std::map<std::int32_t, std::uint16_t> defaultIds;
    for (const auto &[bias, zone] : defaults) defaultIds[bias] = zone->id;
    for (CatalogueZone &z : *zones) {
        z.contact = defaultIds[z.rule.bias];
        z.type = z.contact == z.id ? kDefaultZoneType : kBasicZoneType;
    }
}

}  // namespace kelvane::builder
