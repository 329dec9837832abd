// A zone's rule as the catalogue holds it: a base bias and, for zones with
// daylight time, the two changeovers and the extra bias while daylight time
// is in force.
//
// Biases are minutes added to local time to give UTC (UTC+08:00 is -480, a
// clock one hour ahead in summer is a daylight bias of -60). A changeover is
// the week-th weekday of a month (week 5: the last one) at a whole hour of
// local time: the daylight start in standard time, the standard start in
// daylight time, the way the platform's TIME_ZONE_INFORMATION counts them
// and the way a POSIX rule gives its dates. A zone without daylight time
// has month 0 in both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::builder {

struct Changeover {
    std::uint16_t month = 0, week = 0, weekday = 0, hour = 0;

    friend bool operator==(const Changeover &, const Changeover &) = default;
};

struct CatalogueRule {
    std::int32_t bias = 0;
    std::int32_t standardBias = 0;
    std::int32_t daylightBias = 0;
    Changeover standardStart;  // daylight time ends
    Changeover daylightStart;

    bool HasDaylight() const { return daylightStart.month != 0; }
    friend bool operator==(const CatalogueRule &, const CatalogueRule &) = default;
};

// The rule in force in one year, with the reasons it is only an
// approximation of the zone's own rule (none: it is the zone's rule).
struct YearRule {
    CatalogueRule rule;
    std::vector<std::string> approximations;
    // False when the year's changes form no single daylight period, so the
    // rule is the one in force at the year's end and wrong before.
    bool givesTheYear = true;
};

}  // namespace kelvane::builder
