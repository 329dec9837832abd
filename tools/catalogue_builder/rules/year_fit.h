// Whether one year's rule fits a place, or another year.
//
// A catalogue zone holds the rule of one year. A place filed under it keeps
// the zone's time that year when the two show the same local time all
// through it: the same offset at its start and the same changes of offset
// at the same instants. Whether the tz database calls a time daylight time
// does not matter to the clock (Dublin's winter time is its "daylight" time,
// London's its standard time; the clocks agree). And the
// zone's rule stays right in a later year when that year's rule, encoded
// the same way, is the same; zones whose changes follow a religious or
// lunar calendar, or a date the catalogue cannot name (Cairo's last
// Thursday at 24:00), get a different rule nearly every year.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/catalogue_rule.h"
#include "rules/local_type.h"
#include "rules/zone_timeline.h"

namespace kelvane::builder {

// What a zone's clocks do in one UTC calendar year: offsets in seconds east.
struct YearSignature {
    struct Change {
        std::int64_t at;
        std::int32_t utcOffset;  // after the change

        friend bool operator==(const Change &, const Change &) = default;
    };
    std::int32_t utcOffsetAtStart = 0;
    std::vector<Change> changes;

    friend bool operator==(const YearSignature &, const YearSignature &) = default;
};

YearSignature SignatureOfYear(const ZoneTimeline &zone, std::int64_t year);
// What the catalogue's rule makes of the same year: where the rule is an
// approximation (a year stored as the rule at its end, a change off the
// hour stored at a whole hour), this differs from the zone's own year.
YearSignature SignatureOfRule(const CatalogueRule &rule, std::int64_t year);

// Whether, somewhere in the year, the zone and the rule show the same offset
// but one calls it daylight time and the other standard time (Havana's
// summer time kept for good is the catalogue's standard time).
bool DaylightStateDiffers(const ZoneTimeline &zone, const CatalogueRule &rule, std::int64_t year);

// The years from `year` to `last` that the rule of `year` gives whole: each
// year's own rule is the same and gives that year (not only its end).
std::vector<std::int64_t> YearsWithTheSameRule(const ZoneTimeline &zone, std::int64_t year, std::int64_t last);

}  // namespace kelvane::builder
