// kelvane map / diff: the data set as a whole, drawn on a map or compared
// with another one.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "check/data_set.h"
#include "check/data_set_diff.h"
#include "commands.h"
#include "platform/host_files.h"
#include "world_map.h"
#include "zone_format.h"

namespace kelvane::tool {
namespace {
// A zone's X and Y in degrees, whichever unit dataset.txt names.
std::pair<double, double> LatitudeLongitude(const TZInfo &zone, const std::string &coordinates) {
    int width = 0, height = 0;
    if (std::sscanf(coordinates.c_str(), "pixels %dx%d", &width, &height) == 2 && width > 0 && height > 0)
        return {90 - (zone.Y + 0.5) * 180.0 / height, (zone.X + 0.5) * 360.0 / width - 180};
    return {zone.Y / 100.0, zone.X / 100.0};
}

// places.txt: zone, latitude, longitude (hundredths of a degree), tz zone.
std::vector<MapPlace> ReadPlaces(const std::filesystem::path &directory) {
    std::vector<MapPlace> places;
    std::ifstream in(directory / "places.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int zone = 0, latitude = 0, longitude = 0;
        std::string name;
        if (fields >> zone >> latitude >> longitude >> name) places.push_back({latitude / 100.0, longitude / 100.0, name});
    }
    return places;
}

std::vector<MapZone> MapZones(Session &session, const std::string &coordinates) {
    uint16_t current = 0;
    session.Check(GetLocalTZID(&current), "reading the current zone");
    std::vector<uint16_t> favourites(TZ_MAX_ZONES), ids(TZ_MAX_ZONES);
    uint16_t favouriteCount = TZ_MAX_ZONES;
    session.Check(GetTZFrequency(&favouriteCount, favourites.data(), 1), "reading the favourites");
    favourites.resize(favouriteCount);
    TextBuffers entries(TZ_MAX_ZONES, kEntryUnits);
    uint32_t listed = 0;
    session.Check(GetAllTZInfo(&listed, ids.data(), entries.pointers.data(), 1), "listing the zones");
    const SYSTEMTIME utc = DeviceUtc(session);
    std::vector<MapZone> marks;
    for (uint32_t i = 0; i < listed; ++i) {
        const TZInfo zone = LoadZone(session, ids[i]);
        if (zone.Type == 2) continue;  // a user zone has no place of its own
        const auto [latitude, longitude] = LatitudeLongitude(zone, coordinates);
        const bool favourite = std::find(favourites.begin(), favourites.end(), zone.TZID) != favourites.end();
        // A bias no clock can show is drawn at the edge of the scale, a day either way.
        const int64_t east = std::clamp<int64_t>(-ClockOf(session, zone, utc).bias, -kLargestShownBias, kLargestShownBias);
        marks.push_back({zone.TZID, latitude, longitude, static_cast<int>(east),
                         Utf8(LoadDescription(session, zone.TZID).Desc1), zone.TZID == current, favourite});
    }
    return marks;
}

// A new file or a regular one is replaced whole, so a failed write leaves
// the old map in place; anything else (a link, a terminal, a pipe) is
// written through.
bool WriteMap(const std::string &out, const std::string &svg) {
    const std::filesystem::path path(out);
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return host::ReplaceWhole(Utf8Path(path), svg);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << svg;
    return static_cast<bool>(file.flush());
}

void AddMap(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("map", "The data set on a world map (SVG): places, zones by current offset, "
                                          "the current zone and the favourites ringed");
    auto out = std::make_shared<std::string>();
    cmd->add_option("--out", *out, "write the SVG to this file (default: standard output)");
    cmd->callback([&options, out] {
        Session session(options);
        const auto record = ReadDataSetRecord(session.DataDirectory());
        const std::string coordinates = record ? record->coordinates : std::string("degrees/100");
        const auto zones = MapZones(session, coordinates);
        const std::string caption = "Kelvane data set: " + std::to_string(zones.size()) + " zones" +
                                    (record ? ", " + DescribeDataSet(*record) : std::string()) +
                                    ". Black ring: current zone; orange: favourites.";
        const std::string svg = WorldMapSvg(zones, ReadPlaces(session.DataDirectory()), caption);
        if (out->empty()) {
            std::cout << svg;
            return;
        }
        if (!WriteMap(*out, svg)) throw std::runtime_error(*out + ": cannot be written");
        session.Emit(Json{{"file", *out}, {"zones", zones.size()}},
                     *out + ": " + std::to_string(zones.size()) + " zones drawn\n");
    });
}

void AddDiff(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("diff", "What changed between two data sets, zone by zone: rules, names, "
                                           "places, zones and languages added or removed");
    auto before = std::make_shared<std::string>(), after = std::make_shared<std::string>();
    cmd->add_option("old", *before, "the data directory shipped so far")->required()->check(CLI::ExistingDirectory);
    cmd->add_option("new", *after, "the data directory to ship")->required()->check(CLI::ExistingDirectory);
    cmd->callback([&options, before, after] {
        const auto changes = CompareDataSets(ReadDataSetContents(*before), ReadDataSetContents(*after));
        Json list = Json::array();
        std::string text;
        for (const Change &c : changes) {
            list.push_back(Json{{"kind", c.kind}, {"text", c.text}});
            text += c.text + "\n";
        }
        text += std::to_string(changes.size()) + " change(s) from " + *before + " to " + *after + "\n";
        if (options.json)
            std::cout << Json{{"old", *before}, {"new", *after}, {"changes", list}}.dump(2) << '\n';
        else
            std::cout << text;
    });
}
}  // namespace

void AddDataSetCommands(CLI::App &app, const Options &options) {
    AddMap(app, options);
    AddDiff(app, options);
}

}  // namespace kelvane::tool
