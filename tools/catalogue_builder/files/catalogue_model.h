// What the builder writes into a data directory, file by file.
#pragma once

#include <cstdint>
#include <vector>

#include "files/field_text.h"
#include "rules/catalogue_rule.h"

namespace kelvane::builder {

inline constexpr std::uint16_t kDefaultZoneType = 0;  // the zone an offset's other zones point to
inline constexpr std::uint16_t kBasicZoneType = 1;

// One line of TZ_Def.ini.
struct CatalogueZone {
    std::uint16_t id = 0;
    std::uint16_t type = kBasicZoneType;
    CatalogueRule rule;
    std::int32_t x = 0, y = 0;
    std::uint16_t contact = 0;  // the default zone of the same offset
    Text detail;                // English name, searched by prefix
};

// One line of a language's description file.
struct ZoneDescription {
    std::uint16_t id = 0;
    Text listName;   // Desc1
    Text shortName;  // Desc2
    Text standardName, daylightName;
};

struct Language {
    std::uint16_t id = 0;  // the platform's language identifier (LCID)
    Text fileName;         // its description file
    Text tag;              // BCP 47, for people reading Lang_Def.ini
    std::vector<ZoneDescription> descriptions;
};

// One line of TZ_Zone.ini: the zone belongs to the group.
struct GroupEntry {
    std::uint16_t id = 0;
    Text group;
};

// One line of TZ_CityZoneNum.ini.
struct CityEntry {
    std::uint16_t id = 0;
    Text city, country, countryCode;
};

// The callers' rooms for the city texts (terminator included).
inline constexpr std::size_t kCityRoom = 30, kCountryRoom = 20, kCountryCodeRoom = 10;

struct DataDirectory {
    // Where the rules and names came from, for people and for the checks of
    // the catalogue: "Rules -- in force in 2026: ..." (see RulesNote).
    Text sources;
    std::vector<CatalogueZone> zones;
    std::vector<Language> languages;
    std::vector<GroupEntry> groups;
    std::vector<CityEntry> cities;
    std::uint16_t defaultZone = 0;
    std::vector<std::uint16_t> favourites;  // TZ_Frequency.ini, in this order
    std::uint16_t interfaceLanguage = 1033;
};

// The comment line that says which year's rules the catalogue holds and
// where they and the names came from.
inline Text RulesNote(std::int64_t year, const std::string &tzdataVersion, const std::string &namesSource) {
    return FromUtf8("Rules -- in force in " + std::to_string(year) + ", from the tz database " + tzdataVersion +
                    "; names from " + namesSource);
}

}  // namespace kelvane::builder
