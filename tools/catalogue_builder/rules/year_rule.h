// The catalogue rule of a zone for one year, from the changes of its local
// time in that year.
//
// No change: a fixed offset. One change into daylight time and one back out
// of it: a daylight rule whose changeovers give exactly those instants in
// that year. When the changes come from the zone's POSIX rule and that rule
// already is an n-th weekday at a whole hour, the rule is the zone's own for
// every year; otherwise (dates such as "M3.5.0/-1" or "J60", changes at
// half hours, a year whose changes are listed one by one, or a year with any
// other pattern of changes) the result is an approximation and says why.
#pragma once

#include <cstdint>

#include "rules/catalogue_rule.h"
#include "rules/zone_timeline.h"

namespace kelvane::builder {

YearRule RuleForYear(const ZoneTimeline &zone, std::int64_t year);

}  // namespace kelvane::builder
