// What changed between two data sets, zone by zone, in words: what a device
// maker reads before shipping a data update. Zones added or removed, a
// changed offset or daylight rule (old and new, with the dates the new rule
// gives in the new data's year), names changed per language, places moved
// between zones, languages added or removed.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "check/data_set.h"

namespace kelvane::tool {

// A catalogue zone's rule as TZ_Def.ini holds it.
struct ZoneRuleFields {
    int offset = 0;
    int stdMonth = 0, stdWeek = 0, stdWeekday = 0, stdHour = 0, stdBias = 0;
    int dltMonth = 0, dltWeek = 0, dltWeekday = 0, dltHour = 0, dltBias = 0;

    friend bool operator==(const ZoneRuleFields &, const ZoneRuleFields &) = default;
};

struct CatalogueEntry {
    ZoneRuleFields rule;
    std::string name;  // the English Detail
};

struct LanguageNames {
    std::string tag;
    std::map<std::uint16_t, std::array<std::string, 4>> zones;  // Desc1 to Desc4
};

// The parts of a data directory the comparison reads, in UTF-8.
struct DataSetContents {
    std::optional<DataSetRecord> record;
    std::map<std::uint16_t, CatalogueEntry> zones;
    std::map<std::uint16_t, LanguageNames> languages;
    std::map<std::string, std::uint16_t> places;  // "City (CC)" -> zone
};

DataSetContents ReadDataSetContents(const std::filesystem::path &directory);

struct Change {
    std::string kind;  // "zone added", "rule", "name", "place", "language added", ...
    std::string text;
};
std::vector<Change> CompareDataSets(const DataSetContents &before, const DataSetContents &after);

// "UTC-08:00; daylight time UTC-07:00 from the second Sunday of March at
// 02:00 to the first Sunday of November at 02:00".
std::string DescribeRule(const ZoneRuleFields &rule);
// "2027-03-14 02:00 to 2027-11-07 02:00" ("until 2027-04-04 03:00, and
// from 2027-09-05 04:00" in the south); empty without daylight saving.
std::string DaylightDates(const ZoneRuleFields &rule, int year);

}  // namespace kelvane::tool
