// GetTZCount and GetTZDltType: counting a selection, and telling which zones
// observe daylight saving (both changeover months set).
#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "platform/memory.h"

using namespace kelvane;

extern "C" uint32_t GetTZCount(uint16_t selection, uint16_t *count) {
    if (count == nullptr) return Code(Result::Param);
    Owned<TZInfo[]> zones = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    if (!zones) return Code(Result::NoMemory);
    return Code(LoadTZList(zones.get(), count, selection));
}

extern "C" uint32_t GetTZDltType(const uint16_t *ids, uint32_t count, uint32_t *types) {
    if (count != 0 && (ids == nullptr || types == nullptr)) return Code(Result::Param);
    Owned<TZInfo[]> zones = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    if (!zones) return Code(Result::NoMemory);
    uint16_t listed = TZ_MAX_ZONES;
    if (const Result read = LoadTZList(zones.get(), &listed, kSelectWholeCatalogue); read != Result::Ok)
        return Code(read);
    for (uint32_t i = 0; i < count; ++i) {
        types[i] = 0;
        for (uint16_t z = 0; z < listed; ++z) {
            if (zones[z].TZID != ids[i]) continue;
            types[i] = zones[z].StdMonth > 0 && zones[z].DltMonth > 0 ? 1 : 0;
            break;
        }
    }
    return Code(Result::Ok);
}
