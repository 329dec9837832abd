// catalogue_builder: regenerates a Kelvane data directory from the system's
// tz database (/usr/share/zoneinfo) and the CLDR data ICU ships.
//
//   catalogue_builder --out data --year 2026
//
// Besides the engine's files it writes dataset.txt (the year and the
// sources' versions) and, in the README.md of the output directory, the list
// of zones whose rule changes from year to year. Every zone whose rule had
// to be approximated is reported on standard error; so are new identifiers,
// places filed under another zone than CLDR's, and places no zone fits. Exit status 0 on success, 1 when a source
// cannot be read or a file cannot be written, CLI11's codes (105, 106, ...)
// for options it refuses.
#include <CLI/CLI.hpp>

#include <chrono>
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
    std::int64_t year = 0;
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
    const std::filesystem::path readmePath = dir / "README.md";
    const auto readme = ReadText(readmePath);
    if (!readme) return true;
    const auto section = YearlyZonesSection(report.dataSet, report.yearlyZones, report.dataSet.year + kYearsJudged);
    const auto updated = ReplaceGeneratedSection(*readme, section);
    if (!updated || !WriteText(readmePath, *updated)) {
        std::cerr << "catalogue_builder: " << readmePath.string() << ": "
                  << (updated ? "cannot be written" : std::string("lacks the lines ") + kSectionStart + " and " + kSectionEnd)
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
    const auto data = AssembleCatalogue({options.zoneinfo, options.year}, &*ids, &report, &problem);
    if (!data) {
        std::cerr << "catalogue_builder: " << problem << "\n";
        return 1;
    }
    for (const std::string &note : report.notes) std::cerr << "note: " << note << "\n";
    for (const std::string &why : report.approximations) std::cerr << "approximated: " << why << "\n";
    for (const std::string &place : report.unplaced) std::cerr << "no fitting zone: " << place << "\n";
    if (!WriteOut(*data, options.out) || !WriteNotes(report, options.out)) return 1;
    if (!SaveIds(options.ids, *ids)) {
        std::cerr << "catalogue_builder: " << options.ids.string() << ": cannot be written\n";
        return 1;
    }
    std::cerr << data->zones.size() << " zones, " << data->languages.size() << " languages, "
              << data->cities.size() << " cities written to " << options.out.string() << " for "
              << options.year << "\n";
    return 0;
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
    CLI11_PARSE(app, argc, argv);
    return Run(options);
}
