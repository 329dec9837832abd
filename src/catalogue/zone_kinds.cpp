#include "catalogue/zone_kinds.h"

#include "catalogue/zone_list.h"
#include "platform/memory.h"

namespace kelvane {

Result ReadDaylightTypes(const std::uint16_t *ids, std::uint32_t count, std::uint32_t *types) noexcept {
    Owned<TZInfo[]> zones = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    if (!zones) return Result::NoMemory;
    std::uint16_t listed = TZ_MAX_ZONES;
    if (const Result read = LoadTZList(zones.get(), &listed, kSelectWholeCatalogue); read != Result::Ok) return read;
    for (std::uint32_t i = 0; i < count; ++i) {
        types[i] = 0;
        for (std::uint16_t z = 0; z < listed; ++z) {
            if (zones[z].TZID != ids[i]) continue;
            types[i] = zones[z].StdMonth > 0 && zones[z].DltMonth > 0 ? 1 : 0;
            break;
        }
    }
    return Result::Ok;
}

}  // namespace kelvane
