// Daylight saving and the device's zone: state by date, offsets between
// zones, switching zones, the start-up correction.
#include "Kelvane.h"
#include "api/export_support.h"
#include "dst/daylight_query.h"
#include "dst/startup_fix.h"
#include "dst/zone_offset.h"
#include "dst/zone_switch.h"
#include "platform/platform.h"

using namespace kelvane;

extern "C" uint32_t QueryTZDltStateByDate(uint16_t tzid, const SYSTEMTIME *date, uint32_t *state) {
    const PlatformCallScope scope;
    if (tzid == 0 || date == nullptr || state == nullptr) return Code(Result::Param);
    return Code(QueryTZDltStateOn(tzid, *date, state));
}

// Every failure gives TZ_OFFSET_ERROR.
extern "C" int32_t GetTZOffset(uint16_t tzid1, uint16_t tzid2, uint32_t /*reserved*/) {
    const PlatformCallScope scope;
    if (tzid1 == 0 || tzid2 == 0) return TZ_OFFSET_ERROR;
    int32_t offset = 0;
    return ZoneOffset(tzid1, tzid2, &offset) ? offset : TZ_OFFSET_ERROR;
}

// The switch takes the data directory's lock itself, after its working memory.
extern "C" uint32_t ChangeTZ(uint16_t tzid, uint32_t dlt) {
    const PlatformCallScope scope;
    if (tzid == 0) return Code(Result::Param);
    return Code(SwitchZone(tzid, dlt != 0));
}

extern "C" uint32_t FixTZ(void) {
    const PlatformCallScope scope;
    return EditUnderLock([](const DataDirectoryLock &lock) noexcept { return CorrectClockDaylight(lock); });
}

extern "C" uint32_t GetTZDaylightTime(uint32_t *daylight) {
    const PlatformCallScope scope;
    if (daylight == nullptr) return Code(Result::Param);
    return Code(ReadPlatformDaylight(daylight));
}
