// A zone's daylight-saving rule, judged at a moment.
//
// The rule is two changeovers, each a month, the n-th weekday of that month
// (5: the last) and a whole hour: daylight time begins at D, standard time
// begins again at S. Both are placed in the moment's year, and the moment is
// compared with them by month, day and hour only: no year, no minutes, and
// no zone offset applied, so the moment is taken in whatever time the caller
// gives it.
//
// Daylight time runs from the hour of D on, standard time from the hour of S
// on, in both hemispheres. When D comes before S in the year, daylight time
// lies inside the calendar year: D <= M < S. Otherwise it runs over the turn
// of the year: M >= D or M < S. The two instants are compared, not their
// months, so two changeovers in one month are judged right too (D equal to S
// leaves no daylight time). A changeover day the calendar cannot place (a
// year outside 1900 to 2099, or a month, week or weekday out of range) is day
// 0, which sorts before the first of its month.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// 1 while the rule puts the moment in daylight time, else 0.
std::uint32_t RuleStateAt(const TZInfo &zone, const SYSTEMTIME &moment) noexcept;

// At a given moment: a zone whose two changeover months are equal (both 0
// for a zone without daylight saving) is always in standard time.
std::uint32_t DaylightStateOn(const TZInfo &zone, const SYSTEMTIME &moment) noexcept;

// At a UTC time, judged on the zone's own wall clock, where its changeover
// hours are: its standard time first, then, if that says daylight time, the
// daylight wall-clock time, so the hour after daylight time ends is standard
// time as the clocks show it.
std::uint32_t RuleStateAtUtc(const TZInfo &zone, const SYSTEMTIME &utc) noexcept;

// The same, with equal changeover months meaning no rule.
std::uint32_t DaylightStateAtUtc(const TZInfo &zone, const SYSTEMTIME &utc) noexcept;

// Now, by the platform's UTC time: a zone with both changeover months 0 is
// in standard time, and the clock is not read for it.
std::uint32_t DaylightStateNow(const TZInfo &zone) noexcept;

}  // namespace kelvane
