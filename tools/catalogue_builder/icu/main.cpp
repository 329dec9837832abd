// catalogue_builder: regenerates a Kelvane data directory from the system's
// tz database (/usr/share/zoneinfo) and the CLDR data ICU ships.
//
//   catalogue_builder --out data --year 2026 [--map-size 1024x512] [--tzif DIR]
//
// Besides the engine's files it writes dataset.txt (the year, the sources'
// versions, the unit of the coordinates), places.txt (where each place of
// the city table lies) and, in the README.md of the output directory, the
// list of zones whose rule changes from year to year and the list of
// approximated zones and unfit places. --tzif copies the TZif files of the
// catalogue's zones into DIR, for the tests that compare the rules with the
// C library's reading of them. Every zone whose rule had to be approximated
// is reported on standard error; so are new identifiers, places filed under
// another zone than CLDR's, places no zone fits, and names cut to fit.
// Exit status 0 on success, 1 when a source cannot be read or a file cannot
// be written, 3 when everything was written but a name had to be cut,
// CLI11's codes (105, 106, ...) for options it refuses.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "files/writers.h"
#include "icu/catalogue_assembly.h"
#include "platform/platform.h"
#include "platform/simulated_device.h"
#include "rules/zoneinfo.h"
#include "zones/zone_id_table.h"

namespace {
using namespace kelvane::builder;

struct Options {
    std::filesystem::path out;
    std::filesystem::path ids = KELVANE_ZONE_ID_TABLE;
    std::filesystem::path zoneinfo = kSystemZoneinfo;
    std::filesystem::path tzif;
    std::int64_t year = 0;
    MapSize map;
};

std::int64_t CurrentYear() {
    using namespace std::chrono;
    return static_cast<int>(year_month_day(floor<days>(system_clock::now())).year());
}

std::optional<std::string> ReadText(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteText(const std::filesystem::path &path, const std::string &text) {
    if (ReadText(path) == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

constexpr int kNamesCut = 3;

// "1024x512"; nullopt for anything else.
std::optional<MapSize> ParseMapSize(const std::string &text) {
    MapSize size;
    char by = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &size.width, &by, &size.height, &extra) != 3 || by != 'x' ||
        size.width < 2 || size.height < 2 || size.width > 100000 || size.height > 100000)
        return std::nullopt;
    return size;
}

// One place a line: zone, latitude, longitude (hundredths of a degree), tz zone.
std::string PlacesText(const std::vector<PlaceLocation> &places) {
    std::string text =
        "# Where each place of TZ_CityZoneNum.ini lies, in the same order, written by the catalogue builder\n"
        "# from the tz database's zone1970.tab and zone.tab; not read by the engine. One place a line:\n"
        "# zone<TAB>latitude<TAB>longitude<TAB>tz zone, in hundredths of a degree, north and east positive.\n";
    for (const PlaceLocation &p : places)
        text += std::to_string(p.id) + "\t" + std::to_string(p.point.latitude) + "\t" +
                std::to_string(p.point.longitude) + "\t" + p.zone + "\n";
    return text;
}

// The TZif files of the catalogue's zones, byte for byte, under dir, and
// the tz database's version in dir/version.
bool CopyTzifFiles(const std::filesystem::path &zoneinfo, const std::vector<std::string> &zones,
                   const std::filesystem::path &dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!WriteText(dir / "version", TzdataVersion(zoneinfo) + "\n")) {
        std::cerr << "catalogue_builder: " << (dir / "version").string() << ": cannot be written\n";
        return false;
    }
    for (const std::string &zone : zones) {
        std::error_code error;
        std::filesystem::create_directories((dir / zone).parent_path(), error);
        const auto bytes = ReadText(zoneinfo / zone);
        if (!bytes || !WriteText(dir / zone, *bytes)) {
            std::cerr << "catalogue_builder: " << (dir / zone).string() << ": cannot be copied\n";
            return false;
        }
    }
    return true;
}

std::optional<ZoneIdTable> LoadIds(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();  // a missing table is an empty one
    std::string problem;
    auto table = ZoneIdTable::Parse(text.str(), &problem);
    if (!table) std::cerr << path.string() << ": " << problem << "\n";
    return table;
}

bool SaveIds(const std::filesystem::path &path, const ZoneIdTable &table) {
    return WriteText(path, table.Text());
}

// dataset.txt, and the list of zones whose rule changes in the README of
// the data directory, when it has one.
bool WriteNotes(const BuildReport &report, const std::filesystem::path &dir) {
    if (!WriteText(dir / kDataSetRecordFile, DataSetRecordText(report.dataSet))) {
        std::cerr << "catalogue_builder: " << (dir / kDataSetRecordFile).string() << ": cannot be written\n";
        return false;
    }
    if (!WriteText(dir / "places.txt", PlacesText(report.places))) {
        std::cerr << "catalogue_builder: " << (dir / "places.txt").string() << ": cannot be written\n";
        return false;
    }
    const std::filesystem::path readmePath = dir / "README.md";
    const auto readme = ReadText(readmePath);
    if (!readme) return true;
    const auto section = YearlyZonesSection(report.dataSet, report.yearlyZones, report.dataSet.year + kYearsJudged);
    auto updated = ReplaceGeneratedSection(*readme, section);
    if (updated)
        updated = ReplaceGeneratedSection(
            *updated, ApproximationsSection(report.dataSet, report.approximatedZones, report.unfitPlaces),
            kApproximationsStart);
    if (!updated || !WriteText(readmePath, *updated)) {
        std::cerr << "catalogue_builder: " << readmePath.string() << ": "
                  << (updated ? "cannot be written"
                              : std::string("lacks the lines ") + kSectionStart + ", " + kApproximationsStart +
                                    " and " + kSectionEnd + " after each")
                  << "\n";
        return false;
    }
    return true;
}

// Writes through the engine's own writers into the output directory: the
// simulated device takes its executable to lie there.
bool WriteOut(const DataDirectory &data, const std::filesystem::path &dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    kelvane::SimulatedDevice device((std::filesystem::absolute(dir) / "host").string());
    kelvane::testing::InstallPlatform(&device);
    const WriteOutcome outcome = WriteDataDirectory(data, device);
    kelvane::testing::InstallPlatform(nullptr);
    if (!outcome.ok) std::cerr << "catalogue_builder: " << outcome.problem << "\n";
    return outcome.ok;
}

int Run(const Options &options) {
    auto ids = LoadIds(options.ids);
    if (!ids) return 1;
    BuildReport report;
    std::string problem;
    const auto data = AssembleCatalogue({options.zoneinfo, options.year, options.map}, &*ids, &report, &problem);
    if (!data) {
        std::cerr << "catalogue_builder: " << problem << "\n";
        return 1;
    }
    for (const std::string &note : report.notes) std::cerr << "note: " << note << "\n";
    for (const std::string &why : report.approximations) std::cerr << "approximated: " << why << "\n";
    for (const std::string &place : report.unplaced) std::cerr << "no fitting zone: " << place << "\n";
    for (const std::string &cut : report.cuts) std::cerr << "cut: " << cut << "\n";
    if (!WriteOut(*data, options.out) || !WriteNotes(report, options.out)) return 1;
    if (!options.tzif.empty() && !CopyTzifFiles(options.zoneinfo, report.sources, options.tzif)) return 1;
    if (!SaveIds(options.ids, *ids)) {
        std::cerr << "catalogue_builder: " << options.ids.string() << ": cannot be written\n";
        return 1;
    }
    std::cerr << data->zones.size() << " zones, " << data->languages.size() << " languages, "
              << data->cities.size() << " cities written to " << options.out.string() << " for "
              << options.year << "\n";
    if (!report.cuts.empty()) std::cerr << "catalogue_builder: " << report.cuts.size() << " name(s) cut to fit\n";
    return report.cuts.empty() ? 0 : kNamesCut;
}
}  // namespace

int main(int argc, char **argv) {
    Options options;
    options.year = CurrentYear();
    CLI::App app{"Regenerates a Kelvane data directory from the tz database and ICU's CLDR data."};
    app.add_option("--out", options.out, "the data directory to write")->required();
    app.add_option("--year", options.year, "the year whose rules the catalogue holds (default: this year)")
        ->check(CLI::Range(1970, 2099));
    app.add_option("--ids", options.ids, "the zone identifier table, read and updated")->capture_default_str();
    app.add_option("--zoneinfo", options.zoneinfo, "the tz database's TZif files")->capture_default_str();
    app.add_option("--tzif", options.tzif, "copy the TZif files of the catalogue's zones into this directory");
    std::string mapSize;
    app.add_option("--map-size", mapSize,
                   "X and Y as pixels of an equirectangular world map of this size, WIDTHxHEIGHT "
                   "(default: hundredths of a degree of longitude and latitude)")
        ->check([](const std::string &text) { return ParseMapSize(text) ? "" : "not WIDTHxHEIGHT, e.g. 1024x512"; });
    CLI11_PARSE(app, argc, argv);
    if (!mapSize.empty()) options.map = *ParseMapSize(mapSize);
    return Run(options);
}
