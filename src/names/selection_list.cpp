#include "names/selection_list.h"

#include <utility>

#include "catalogue/zone_list.h"
#include "record/field_parser.h"

namespace kelvane {

Result SelectionList::Allocate() noexcept {
    records_ = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    descs_ = AllocateArray<TZDesc>(TZ_MAX_ZONES);
    return records_ && descs_ ? Result::Ok : Result::NoMemory;
}

Result SelectionList::KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept {
    // A slot is filled exactly when it carries its own identifier afterwards.
    for (std::uint16_t j = 0; j < *count; ++j) records_[j].TZID = static_cast<std::uint16_t>(ids[j] + 1);
    const auto looked = static_cast<Result>(GetTZInfoByID(ids, *count, records_.get()));
    if (looked != Result::Ok && looked != Result::NotFound) return looked;
    std::uint16_t kept = 0;
    for (std::uint16_t j = 0; j < *count; ++j) {
        if (records_[j].TZID != ids[j]) continue;
        ids[kept] = ids[j];
        records_[kept++] = records_[j];
    }
    *count = kept;
    return Result::Ok;
}

Result SelectionList::Describe(const std::uint16_t *ids, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) descs_[i] = TZDesc{};
    return static_cast<Result>(GetTZDescByID(ids, count, descs_.get()));
}

void SelectionList::SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i + 1 < count; ++i) {
        for (std::uint16_t j = i; j < count; ++j) {
            if (records_[j].Offset <= records_[i].Offset) continue;
            std::swap(records_[i], records_[j]);
            std::swap(ids[i], ids[j]);
            std::swap(descs_[i], descs_[j]);
        }
    }
}

TextView SelectionList::Name(std::uint16_t i, std::uint16_t selection) const noexcept {
    const TZDesc &desc = descs_[i];
    return ViewOf(selection == kSelectCompatibility ? desc.Desc2 : desc.Desc1, kFieldUnits - 1);
}

bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) {
        if (texts[i] == nullptr) return false;
    }
    return true;
}

}  // namespace kelvane
