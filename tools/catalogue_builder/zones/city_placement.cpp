#include "zones/city_placement.h"

namespace kelvane::builder {

std::optional<std::size_t> PlaceUnder(const YearSignature &place, std::size_t cldrZone,
                                      const std::vector<PlacementZone> &zones) {
    if (cldrZone < zones.size() && zones[cldrZone].year == place) return cldrZone;
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (zones[i].year == place && (!best || zones[i].placeCount > zones[*best].placeCount)) best = i;
    }
    return best;
}

}  // namespace kelvane::builder
