// Puts the data directory together: the Windows zones of CLDR numbered by
// the identifier table, each with the rule of the chosen year from the tz
// database, its names in every language, its groups and its places.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/catalogue_model.h"
#include "files/data_set_notes.h"
#include "zones/zone_id_table.h"
#include "zones/zone_locations.h"

namespace kelvane::builder {

struct BuildRequest {
    std::filesystem::path zoneinfo;
    std::int64_t year = 0;
    MapSize map;  // X and Y as pixels of this map; degrees/100 when empty
};

// A place of the city table and where it lies, for places.txt.
struct PlaceLocation {
    std::uint16_t id = 0;
    std::string zone;  // its tz zone
    GeoPoint point;
};

// What a person regenerating the data must hear about.
struct BuildReport {
    std::vector<std::string> approximations;  // "<Windows zone> (<IANA zone>): why"
    std::vector<std::string> notes;           // new identifiers, zones left out, places moved
    std::vector<std::string> unplaced;        // places no zone keeps the time of
    std::vector<std::string> cuts;            // names that had to be cut to fit (none, normally)
    DataSetFacts dataSet;
    std::vector<YearlyZone> yearlyZones;      // zones whose rule is not the same every year
    std::vector<ApproximatedZone> approximatedZones;
    std::vector<UnfitPlace> unfitPlaces;
    std::vector<std::string> sources;         // the tz zones of the catalogue's rules
    std::vector<PlaceLocation> places;        // in the order of the city table
};

// The span of years after the data's year that yearlyZones is judged over.
inline constexpr std::int64_t kYearsJudged = 10;

inline constexpr const char *kDefaultWindowsZone = "UTC";
// The shipped favourites, so the world clock shows the world from the start.
inline constexpr const char *kFavouriteWindowsZones[] = {
    "Pacific Standard Time", "Eastern Standard Time", "GMT Standard Time", "W. Europe Standard Time",
    "India Standard Time",   "China Standard Time",   "Tokyo Standard Time", "AUS Eastern Standard Time",
};

// Numbers new zones in *ids; nullopt, with the reason in *problem, when a
// source cannot be read.
std::optional<DataDirectory> AssembleCatalogue(const BuildRequest &request, ZoneIdTable *ids, BuildReport *report,
                                               std::string *problem);

}  // namespace kelvane::builder
