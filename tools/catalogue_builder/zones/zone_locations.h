// Where the zones' places lie, from the tz database's own tables:
// zone1970.tab, and zone.tab for the places zone1970.tab merges into
// another country's zone (Reykjavik under Abidjan). A name the tables no
// longer list (America/Godthab) is looked up under the newer name the
// database links it to (America/Nuuk).
//
// Coordinates are hundredths of a degree, east and north positive. For a
// device whose zone picker shows a world map, they can be given as pixels
// of an equirectangular map instead: x from the left edge (180° west), y
// from the top (90° north).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace kelvane::builder {

struct GeoPoint {
    std::int32_t latitude = 0, longitude = 0;  // hundredths of a degree

    friend bool operator==(const GeoPoint &, const GeoPoint &) = default;
};

class ZoneLocations {
public:
    // Empty tables when the files are missing.
    static ZoneLocations Read(const std::filesystem::path &zoneinfo);
    // The tables as text, for tests: zone1970.tab, zone.tab, tzdata.zi.
    static ZoneLocations Parse(const std::string &zone1970, const std::string &zoneTab, const std::string &links);

    std::optional<GeoPoint> Of(const std::string &zone) const;
    bool Empty() const { return zone1970_.empty() && zoneTab_.empty(); }

private:
    std::map<std::string, GeoPoint> zone1970_, zoneTab_;
    std::map<std::string, std::string> links_;  // old name -> newer name
};

// "+4230+00131" or "+422938+0013119" (ISO 6709 as the tables write it).
std::optional<GeoPoint> ParseIso6709(const std::string &text);

// A zone with a fixed offset and no place: the middle of its offset's band
// (15 degrees an hour) on the equator.
GeoPoint OffsetBandMiddle(std::int32_t utcOffsetMinutes);

// The catalogue's X and Y: degrees/100 when width is 0, else pixels on a
// width x height equirectangular map.
struct MapSize {
    std::int32_t width = 0, height = 0;
};
std::pair<std::int32_t, std::int32_t> CatalogueXY(const GeoPoint &point, const MapSize &map);
// What dataset.txt records: "degrees/100" or "pixels 1024x512".
std::string CoordinatesNote(const MapSize &map);

}  // namespace kelvane::builder
