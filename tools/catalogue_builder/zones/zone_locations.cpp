#include "zones/zone_locations.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

namespace kelvane::builder {
namespace {
std::string ReadAll(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The tab-separated fields of each line that is no comment.
template <typename Use>
void ForEachRow(const std::string &text, Use use) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream row(line);
        for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
        use(fields);
    }
}

// Zone name -> place, from zone1970.tab or zone.tab (coordinates in the second field).
std::map<std::string, GeoPoint> ReadTable(const std::string &text) {
    std::map<std::string, GeoPoint> table;
    ForEachRow(text, [&](const std::vector<std::string> &f) {
        if (f.size() < 3) return;
        if (const auto point = ParseIso6709(f[1])) table.emplace(f[2], *point);
    });
    return table;
}

// "DDMM[SS]" or "DDDMM[SS]" with its sign, in hundredths of a degree.
std::optional<std::int32_t> Angle(const std::string &text, std::size_t degreeDigits) {
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    if (!std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    const double degrees = std::stoi(text.substr(1, degreeDigits));
    const double minutes = std::stoi(text.substr(1 + degreeDigits, 2));
    const double seconds = text.size() > 1 + degreeDigits + 2 ? std::stoi(text.substr(3 + degreeDigits)) : 0;
    const double hundredths = std::round((degrees + minutes / 60 + seconds / 3600) * 100);
    return static_cast<std::int32_t>(text[0] == '-' ? -hundredths : hundredths);
}
}  // namespace

std::optional<GeoPoint> ParseIso6709(const std::string &text) {
    const auto split = text.find_first_of("+-", 1);
    if (split == std::string::npos) return std::nullopt;
    const std::string latitude = text.substr(0, split), longitude = text.substr(split);
    const auto lat = Angle(latitude, 2), lon = Angle(longitude, 3);
    if (!lat || !lon) return std::nullopt;
    return GeoPoint{*lat, *lon};
}

ZoneLocations ZoneLocations::Parse(const std::string &zone1970, const std::string &zoneTab, const std::string &links) {
    ZoneLocations locations;
    locations.zone1970_ = ReadTable(zone1970);
    locations.zoneTab_ = ReadTable(zoneTab);
    std::istringstream in(links);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind, target, name;
        if (words >> kind >> target >> name && kind == "L") locations.links_[name] = target;
    }
    return locations;
}

ZoneLocations ZoneLocations::Read(const std::filesystem::path &zoneinfo) {
    return Parse(ReadAll(zoneinfo / "zone1970.tab"), ReadAll(zoneinfo / "zone.tab"), ReadAll(zoneinfo / "tzdata.zi"));
}

std::optional<GeoPoint> ZoneLocations::Of(const std::string &zone) const {
    std::string name = zone;
    for (int hops = 0; hops < 4; ++hops) {  // links never chain deeper
        if (const auto it = zone1970_.find(name); it != zone1970_.end()) return it->second;
        if (const auto it = zoneTab_.find(name); it != zoneTab_.end()) return it->second;
        const auto link = links_.find(name);
        if (link == links_.end()) return std::nullopt;
        name = link->second;
    }
    return std::nullopt;
}

GeoPoint OffsetBandMiddle(std::int32_t utcOffsetMinutes) {
    std::int32_t longitude = utcOffsetMinutes * 25;  // 15 degrees an hour
    if (longitude > 18000) longitude -= 36000;        // UTC+13 and +14 lie west of the date line
    return {0, longitude};
}

std::pair<std::int32_t, std::int32_t> CatalogueXY(const GeoPoint &p, const MapSize &map) {
    if (map.width <= 0 || map.height <= 0) return {p.longitude, p.latitude};
    const auto pixel = [](double fraction, std::int32_t size) {
        return std::clamp(static_cast<std::int32_t>(std::floor(fraction * size)), 0, size - 1);
    };
    return {pixel((p.longitude + 18000) / 36000.0, map.width), pixel((9000 - p.latitude) / 18000.0, map.height)};
}

std::string CoordinatesNote(const MapSize &map) {
    if (map.width <= 0 || map.height <= 0) return "degrees/100";
    return "pixels " + std::to_string(map.width) + "x" + std::to_string(map.height);
}

}  // namespace kelvane::builder
