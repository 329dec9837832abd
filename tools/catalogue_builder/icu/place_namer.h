// The entries of the city table: an IANA place's exemplar city, its country
// and the country's code, in English, each cut to the room the city lookup
// gives it (29, 19 and 9 units and a terminator). A country name too long
// for its room is given in CLDR's short form or the builder's own.
#pragma once

#include <unicode/locdspnm.h>
#include <unicode/tznames.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/catalogue_model.h"

namespace kelvane::builder {

class PlaceNamer {
public:
    PlaceNamer();
    bool Ready() const { return names_ && countries_ && shortCountries_; }

    // nullopt for a zone without a country (none of the CLDR places). A
    // text that had to be cut is reported in *cuts.
    std::optional<CityEntry> Describe(std::uint16_t id, const std::string &zone, std::vector<std::string> *cuts) const;

private:
    Text CountryName(const char *code, std::vector<std::string> *cuts) const;

    std::unique_ptr<icu::TimeZoneNames> names_;
    std::unique_ptr<icu::LocaleDisplayNames> countries_, shortCountries_;
};

// Cuts at the last word break that keeps at least half the room, dropping
// what a cut leaves dangling (" &", "-", ","); a hard clean cut otherwise.
Text CutAtWord(const Text &text, std::size_t maxUnits);

}  // namespace kelvane::builder
