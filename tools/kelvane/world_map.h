// The data set drawn as a world map (SVG): each place of the city table as
// a dot, each zone as a labelled marker coloured by its current offset, the
// current zone and the favourites ringed, a graticule with the offsets along
// the top. Equirectangular: longitude and latitude map straight to x and y.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::tool {

struct MapZone {
    std::uint16_t id = 0;
    double latitude = 0, longitude = 0;  // degrees, north and east positive
    int utcOffsetMinutes = 0;            // now, daylight time included
    std::string name;
    bool current = false, favourite = false;
};

struct MapPlace {
    double latitude = 0, longitude = 0;
    std::string name;
};

std::string WorldMapSvg(const std::vector<MapZone> &zones, const std::vector<MapPlace> &places,
                        const std::string &caption);

}  // namespace kelvane::tool
