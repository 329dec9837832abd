// GetTZOffset: how far apart the clocks of two zones are now, in minutes,
// daylight saving included: zone 1's effective bias minus zone 2's, so the
// result is positive when zone 2's clock is ahead.
//
// Each zone's daylight state comes from its rule at the current UTC time,
// except for the zone the settings name as current: for that one the
// platform's own state counts. A zone compared with itself is 0 minutes
// away whatever the states say.
//
// One reader serves both files, and the platform's UTC time is read at most
// once, the first time a zone's rule needs it.
#include "dst/zone_offset.h"

#include "dst/daylight_rule.h"
#include "dst/zone_records.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

namespace kelvane {
namespace {
int64_t EffectiveBias(const TZInfo &zone, bool daylight) noexcept {
    return static_cast<int64_t>(zone.Offset) + (daylight ? zone.DltOffset : 0);
}

// DaylightStateNow with the UTC time read once for both zones.
class Now {
public:
    bool Daylight(const TZInfo &zone) noexcept {
        if (zone.StdMonth == 0 && zone.DltMonth == 0) return false;
        if (!known_) CurrentPlatform().GetSystemTime(&utc_);
        known_ = true;
        return RuleStateAtUtc(zone, utc_) != 0;
    }

private:
    SYSTEMTIME utc_{};
    bool known_ = false;
};

}  // namespace

bool ZoneOffset(uint16_t tzid1, uint16_t tzid2, int32_t *offset) noexcept {
    RecordReader reader;
    TZSetting setting;
    if (ReadTZSetting(reader, &setting) != Result::Ok) return false;
    TimeZoneInformation info{};
    const bool platformDaylight = CurrentPlatform().GetTimeZoneInformation(&info) == kTimeZoneIdDaylight;
    TZInfo zone1, zone2;
    ZoneRequest requests[2] = {{tzid1, &zone1}, {tzid2, &zone2}};
    if (FindZonesOnce(reader, requests, tzid1 == tzid2 ? 1 : 2) != Result::Ok) return false;
    if (tzid1 == tzid2) {
        *offset = 0;
        return true;
    }
    Now now;
    const bool daylight1 = tzid1 == setting.TZID ? platformDaylight : now.Daylight(zone1);
    const bool daylight2 = tzid1 != setting.TZID && tzid2 == setting.TZID ? platformDaylight : now.Daylight(zone2);
    // 64-bit: catalogue offsets are any 32-bit values, and their difference need not fit.
    const int64_t difference = EffectiveBias(zone1, daylight1) - EffectiveBias(zone2, daylight2);
    if (difference < INT32_MIN || difference > INT32_MAX || difference == TZ_OFFSET_ERROR) return false;
    *offset = static_cast<int32_t>(difference);
    return true;
}

}  // namespace kelvane
