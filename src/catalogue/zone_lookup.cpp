// Zone records by identifier.
//
// The user file is read first, then the system file, and a later matching
// line overwrites an earlier one, so a zone present in both files comes from
// TZ_Def.ini. The call succeeds exactly when every requested slot was filled:
// a repeated identifier fills only its first slot, and a zone found on lines
// of both files still fills just one.
#include "catalogue/zone_lookup.h"

#include "catalogue/catalogue_files.h"
#include "platform/memory.h"

namespace kelvane {
namespace {
// Index of the first slot asking for id, or count when none does.
uint16_t SlotOf(const uint16_t *ids, uint16_t count, uint16_t id) noexcept {
    uint16_t j = 0;
    while (j < count && ids[j] != id) ++j;
    return j;
}
}  // namespace

Result LookUpZones(RecordReader &reader, const uint16_t *ids, uint16_t count, TZInfo *infos, bool *filled) noexcept {
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    auto asked = [&](uint16_t id) noexcept { return SlotOf(ids, count, id) < count; };
    auto fill = [&](const RecordLine &line) noexcept {
        const uint16_t j = SlotOf(ids, count, LineZoneId(line));
        ReadZoneNumbers(line, &infos[j]);
        infos[j].Detail[0] = 0;
        filled[j] = true;
        return true;
    };
    if (const Result r = reader.ReadWhere(kUserCatalogueFile, kUserZoneMinFields, asked, fill); r != Result::Ok) return r;
    if (const Result r = reader.ReadWhere(kSystemCatalogueFile, kSystemZoneMinFields, asked, fill); r != Result::Ok) return r;
    for (uint16_t j = 0; j < count; ++j) {
        if (!filled[j]) return Result::NotFound;
    }
    return Result::Ok;
}

Result LookUpZones(const uint16_t *ids, uint16_t count, TZInfo *infos) noexcept {
    Owned<bool[]> filled = AllocateArray<bool>(count);
    if (!filled) return Result::NoMemory;
    for (uint16_t j = 0; j < count; ++j) filled[j] = false;
    RecordReader reader;
    return LookUpZones(reader, ids, count, infos, filled.get());
}

}  // namespace kelvane
