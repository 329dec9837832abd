// The default zone of each offset.
//
// Zones that share a base offset point to one of them as their default
// (the record's Contact), and that zone is the offset's Type-0 zone, so the
// compatibility list (selection 0) holds one zone per offset. The default
// is the zone that covers the most places of the tz database (the most
// cities), the lower identifier on a tie.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "files/catalogue_model.h"

namespace kelvane::builder {

// cityCounts: the number of places each zone identifier covers.
void AssignDefaultZones(std::vector<CatalogueZone> *zones, const std::map<std::uint16_t, std::size_t> &cityCounts);

}  // namespace kelvane::builder
