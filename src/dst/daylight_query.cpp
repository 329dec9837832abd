// A zone's daylight state at a
// given moment, or now. The two differ in how they recognise a zone without
// a rule: at a given moment equal changeover months mean none, now only both
// months 0 do.
#include "dst/daylight_query.h"

#include "dst/daylight_rule.h"
#include "dst/zone_records.h"

namespace kelvane {

Result QueryTZDltState(std::uint16_t tzid, std::uint32_t *state) noexcept {
    if (tzid == 0 || state == nullptr) return Result::Param;
    TZInfo zone;
    if (const Result found = FindZoneOnce(tzid, &zone); found != Result::Ok) return found;
    *state = DaylightStateNow(zone);
    return Result::Ok;
}

Result QueryTZDltStateOn(std::uint16_t tzid, const SYSTEMTIME &date, std::uint32_t *state) noexcept {
    TZInfo zone;
    if (const Result found = FindZoneOnce(tzid, &zone); found != Result::Ok) return found;
    *state = DaylightStateOn(zone, date);
    return Result::Ok;
}

}  // namespace kelvane
