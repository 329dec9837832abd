// The count is written as soon as
// the table or catalogue has been read; the texts only once the whole list is
// ready, so after a failure they are as the caller left them.
#include "names/display_lists.h"

#include "catalogue/zone_list.h"
#include "names/gmt_label.h"
#include "names/selection_workspace.h"
#include "names/zone_table.h"

namespace kelvane {

Result BuildGroupList(const TZChar *groupName, uint16_t selection, const GroupListOutput &out) noexcept {
    SelectionList list;
    if (list.Allocate(selection) != Result::Ok) return Result::NoMemory;
    uint16_t n = TZ_MAX_ZONES;
    const Result read = ReadZoneTable(list.Reader(), out.ids, selection, &n, groupName);
    *out.count = n;
    if (read != Result::Ok || n == 0) return read;
    const Result looked = list.KeepCataloguedZones(out.ids, &n);
    *out.count = n;
    if (looked != Result::Ok || n == 0) return looked;
    if (const Result described = list.Describe(n); described != Result::Ok) return described;
    if (!AllPresent(out.names, n) || !AllPresent(out.labels, n)) return Result::Param;
    list.SortWestToEast(out.ids, n);
    for (uint16_t i = 0; i < n; ++i) {
        TZChar label[kLongestLabel];
        CopyText(out.labels[i], kLabelRoom, TextView(label, WriteGmtLabel(label, list.Record(i).Offset, LabelForm::Bare)));
        CopyText(out.names[i], kNameRoom, list.Name(i));
    }
    return Result::Ok;
}

Result BuildCatalogueList(uint16_t selection, uint32_t *count, uint16_t *ids, TZChar **entries) noexcept {
    SelectionList list;
    if (list.Allocate(selection) != Result::Ok) return Result::NoMemory;
    uint16_t n = TZ_MAX_ZONES;
    const Result read = list.LoadCatalogue(&n);
    *count = n;
    if (read != Result::Ok || n == 0) return read;
    for (uint16_t i = 0; i < n; ++i) ids[i] = list.Record(i).TZID;
    if (const Result described = list.DescribeCatalogue(n); described != Result::Ok) return described;
    if (!AllPresent(entries, n)) return Result::Param;
    list.SortWestToEast(ids, n);
    // The label always fits the entry; the name is cut to the room left.
    static_assert(kLongestLabel < kEntryRoom);
    for (uint16_t i = 0; i < n; ++i) {
        const std::size_t labelLength = WriteGmtLabel(entries[i], list.Record(i).Offset, LabelForm::Bracketed);
        CopyText(entries[i] + labelLength, kEntryRoom - labelLength, list.Name(i));
    }
    return Result::Ok;
}

}  // namespace kelvane
