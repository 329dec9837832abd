// The zone catalogue: records by identifier, counts, daylight types.
#include "Kelvane.h"
#include "catalogue/zone_kinds.h"
#include "catalogue/zone_list.h"
#include "catalogue/zone_lookup.h"
#include "platform/platform.h"

using namespace kelvane;

extern "C" uint32_t GetTZInfoByID(const uint16_t *ids, uint16_t count, TZInfo *infos) {
    const PlatformCallScope scope;
    if (ids == nullptr || infos == nullptr || count == 0) return Code(Result::Param);
    return Code(LookUpZones(ids, count, infos));
}

// The caller's count is the capacity the list read is given.
extern "C" uint32_t GetTZCount(uint16_t selection, uint16_t *count) {
    const PlatformCallScope scope;
    return Code(CountTZList(count, selection));
}

extern "C" uint32_t GetTZDltType(const uint16_t *ids, uint32_t count, uint32_t *types) {
    const PlatformCallScope scope;
    if (count != 0 && (ids == nullptr || types == nullptr)) return Code(Result::Param);
    return Code(ReadDaylightTypes(ids, count, types));
}
