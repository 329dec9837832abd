// The default zone of each offset: Contact and Type 0.
#include "zones/default_zones.h"

#include <gtest/gtest.h>

namespace kelvane::builder {
namespace {

CatalogueZone Zone(std::uint16_t id, std::int32_t bias) {
    CatalogueZone z;
    z.id = id;
    z.rule.bias = bias;
    return z;
}

TEST(AssignDefaultZones, PicksTheZoneWithTheMostPlacesPerOffset) {
    std::vector<CatalogueZone> zones = {Zone(1, 300), Zone(2, 300), Zone(3, 300), Zone(4, -480), Zone(5, 0),
                                        Zone(6, 0)};
    AssignDefaultZones(&zones, {{1, 1}, {2, 14}, {3, 14}, {4, 3}, {5, 2}, {6, 2}});
    const std::uint16_t contacts[] = {2, 2, 2, 4, 5, 5};  // ties go to the lower identifier
    const std::uint16_t types[] = {1, 0, 1, 0, 0, 1};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        EXPECT_EQ(zones[i].contact, contacts[i]) << "zone " << zones[i].id;
        EXPECT_EQ(zones[i].type, types[i]) << "zone " << zones[i].id;
    }
}

TEST(AssignDefaultZones, MakesALoneZoneItsOwnDefault) {
    std::vector<CatalogueZone> zones = {Zone(42, -345)};
    AssignDefaultZones(&zones, {});
    EXPECT_EQ(zones[0].contact, 42);
    EXPECT_EQ(zones[0].type, kDefaultZoneType);
}

}  // namespace
}  // namespace kelvane::builder
