// Which catalogue zone a place (an IANA location) is filed under.
//
// CLDR's Windows mapping can be older than the tz database: ICU 72's
// predates tzdata 2025b, so Ojinaga still sits under Mountain Time though
// its clocks keep Central Time. A place stays under the zone CLDR gives it
// when that zone keeps the place's time all through the data's year; else
// it goes to the zone that does and covers the most places (the first on a
// tie); when no zone does, it stays where CLDR put it and is reported.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "rules/year_fit.h"

namespace kelvane::builder {

struct PlacementZone {
    YearSignature year;      // of the zone's representative place
    std::size_t placeCount;  // places CLDR maps to it
};

// The index of the zone the place belongs under; nullopt when none fits.
std::optional<std::size_t> PlaceUnder(const YearSignature &place, std::size_t cldrZone,
                                      const std::vector<PlacementZone> &zones);

}  // namespace kelvane::builder
