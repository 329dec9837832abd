#include "names/selection_workspace.h"

#include <utility>

#include "catalogue/catalogue_files.h"
#include "catalogue/zone_lookup.h"
#include "names/zone_descriptions.h"
#include "record/field_parser.h"

namespace kelvane {

Result SelectionList::Allocate() noexcept {
    records_ = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    descs_ = AllocateArray<TZDesc>(TZ_MAX_ZONES);
    for (std::uint16_t i = 0; i < TZ_MAX_ZONES; ++i) order_[i] = static_cast<std::uint8_t>(i);
    return records_ && descs_ ? Result::Ok : Result::NoMemory;
}

Result SelectionList::KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept {
    if (*count > TZ_MAX_ZONES) *count = TZ_MAX_ZONES;
    bool filled[TZ_MAX_ZONES] = {};
    const Result looked = LookUpZones(reader_, ids, *count, records_.get(), filled);
    if (looked != Result::Ok && looked != Result::NotFound) return looked;
    std::uint16_t kept = 0;
    for (std::uint16_t j = 0; j < *count; ++j) {
        if (!filled[j]) continue;
        ids[kept] = ids[j];
        records_[kept++] = records_[j];
    }
    *count = kept;
    return Result::Ok;
}

Result SelectionList::Describe(const std::uint16_t *ids, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) descs_[i] = TZDesc{};
    if (const Result opened = reader_.Open(); opened != Result::Ok) return opened;
    return ReadZoneDescriptions(reader_, ids, count, descs_.get());
}

void SelectionList::ClearDescriptionsBefore(std::uint16_t end) noexcept {
    for (; cleared_ < end; ++cleared_) descs_[cleared_] = TZDesc{};
}

void SelectionList::OnUserLine(const RecordLine &line, const TZInfo *zones, std::uint16_t listed) noexcept {
    ClearDescriptionsBefore(listed);
    const std::uint16_t id = LineZoneId(line);
    for (std::uint16_t i = 0; i < listed; ++i) {
        if (zones[i].TZID != id) continue;
        FillUserDescription(line, &descs_[i]);
        return;
    }
}

// Selections that list user zones read TZ_UserDef.ini anyway; the
// descriptions are taken on that pass. Selection 0 reads it for them alone.
Result SelectionList::LoadCatalogue(std::uint16_t selection, std::uint16_t *count) noexcept {
    cleared_ = 0;
    const bool readsUserFile = selection == kSelectWholeCatalogue || selection == kSelectUserZones;
    return LoadTZList(reader_, records_.get(), count, selection, readsUserFile ? this : nullptr);
}

Result SelectionList::DescribeCatalogue(const std::uint16_t *ids, std::uint16_t count,
                                        std::uint16_t selection) noexcept {
    if (selection != kSelectWholeCatalogue && selection != kSelectUserZones) return Describe(ids, count);
    ClearDescriptionsBefore(count);
    return ReadLanguageDescriptions(reader_, ids, count, descs_.get());
}

void SelectionList::SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept {
    if (count > TZ_MAX_ZONES) count = TZ_MAX_ZONES;
    std::int32_t offsets[TZ_MAX_ZONES];
    std::uint16_t sortedIds[TZ_MAX_ZONES];
    for (std::uint16_t i = 0; i < count; ++i) offsets[i] = records_[i].Offset;
    // Position i's offset and slot ride in registers while j runs.
    for (std::uint16_t i = 0; i + 1 < count; ++i) {
        std::int32_t offset = offsets[i];
        std::uint8_t slot = order_[i];
        for (std::uint16_t j = i + 1; j < count; ++j) {
            if (offsets[j] <= offset) continue;
            std::swap(offset, offsets[j]);
            std::swap(slot, order_[j]);
        }
        offsets[i] = offset;
        order_[i] = slot;
    }
    for (std::uint16_t i = 0; i < count; ++i) sortedIds[i] = ids[order_[i]];
    for (std::uint16_t i = 0; i < count; ++i) ids[i] = sortedIds[i];
}

TextView SelectionList::Name(std::uint16_t i, std::uint16_t selection) const noexcept {
    const TZDesc &desc = descs_[order_[i]];
    return ViewOf(selection == kSelectCompatibility ? desc.Desc2 : desc.Desc1, kFieldUnits - 1);
}

bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) {
        if (texts[i] == nullptr) return false;
    }
    return true;
}

}  // namespace kelvane
