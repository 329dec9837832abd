#include "catalogue/zone_kinds.h"

#include "catalogue/zone_list.h"

namespace kelvane {
namespace {
struct ZoneKind {
    std::uint16_t id;
    bool observesDaylight;
};
}  // namespace

Result ReadDaylightTypes(const std::uint16_t *ids, std::uint32_t count, std::uint32_t *types) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    ZoneKind kinds[TZ_MAX_ZONES];
    std::uint16_t listed = 0;
    const Result read = ReadListedZones(reader, kSelectWholeCatalogue, [&](const RecordLine &line, bool) noexcept {
        kinds[listed++] = {LineZoneId(line), line.U16(kStdMonthField) > 0 && line.U16(kDltMonthField) > 0};
    });
    if (read != Result::Ok) return read;
    for (std::uint32_t i = 0; i < count; ++i) {
        types[i] = 0;
        for (std::uint16_t z = 0; z < listed; ++z) {
            if (kinds[z].id != ids[i]) continue;
            types[i] = kinds[z].observesDaylight ? 1 : 0;
            break;
        }
    }
    return Result::Ok;
}

}  // namespace kelvane
