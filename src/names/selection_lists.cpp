// GetSelectTZInfo and GetAllTZInfo: display-ready zone lists in the user's
// language, west to east, each zone with its GMT label.
//
// GetSelectTZInfo lists the zones TZ_Zone.ini assigns to a group, label and
// name in separate texts; GetAllTZInfo lists a catalogue selection, the
// bracketed label and the name in one text. The count is written as soon as
// the table or catalogue has been read; the texts only once the whole list is
// ready, so after a failure they are as the caller left them.
#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "names/gmt_label.h"
#include "names/selection_list.h"
#include "names/zone_table.h"
#include "record/line_list.h"

using namespace kelvane;

namespace {
struct GroupOutput {
    uint16_t *count;
    uint16_t *ids;
    TZChar **names;
    TZChar **labels;
};

Result BuildGroupList(const TZChar *groupName, uint16_t selection, const GroupOutput &out) noexcept {
    SelectionList list;
    if (list.Allocate() != Result::Ok) return Result::NoMemory;
    uint16_t n = TZ_MAX_ZONES;
    const Result read = ReadZoneTable(list.Reader(), out.ids, selection, &n, groupName);
    *out.count = n;
    if (read != Result::Ok || n == 0) return read;
    const Result looked = list.KeepCataloguedZones(out.ids, &n);
    *out.count = n;
    if (looked != Result::Ok || n == 0) return looked;
    if (const Result described = list.Describe(out.ids, n); described != Result::Ok) return described;
    if (!AllPresent(out.names, n) || !AllPresent(out.labels, n)) return Result::Param;
    list.SortWestToEast(out.ids, n);
    for (uint16_t i = 0; i < n; ++i) {
        TZChar label[kFileLineUnits];
        LineBuilder line(label);
        AppendGmtLabel(line, list.Record(i).Offset, LabelForm::Bare);
        CopyText(out.labels[i], kLabelRoom, ViewOf(label, kFileLineUnits));
        CopyText(out.names[i], kNameRoom, list.Name(i, selection));
    }
    return Result::Ok;
}

Result BuildCatalogueList(uint16_t selection, uint32_t *count, uint16_t *ids, TZChar **entries) noexcept {
    SelectionList list;
    if (list.Allocate() != Result::Ok) return Result::NoMemory;
    uint16_t n = TZ_MAX_ZONES;
    const Result read = list.LoadCatalogue(selection, &n);
    *count = n;
    if (read != Result::Ok || n == 0) return read;
    for (uint16_t i = 0; i < n; ++i) ids[i] = list.Record(i).TZID;
    if (const Result described = list.DescribeCatalogue(ids, n, selection); described != Result::Ok) return described;
    if (!AllPresent(entries, n)) return Result::Param;
    list.SortWestToEast(ids, n);
    for (uint16_t i = 0; i < n; ++i) {
        TZChar entry[kFileLineUnits];
        LineBuilder line(entry);
        AppendGmtLabel(line, list.Record(i).Offset, LabelForm::Bracketed);
        line.Text(list.Name(i, selection));
        CopyText(entries[i], kEntryRoom, ViewOf(entry, kFileLineUnits));
    }
    return Result::Ok;
}
}  // namespace

extern "C" uint32_t GetSelectTZInfo(uint16_t *count, const TZChar *groupName, uint16_t *ids, TZChar **names,
                                    TZChar **labels, uint16_t selection) {
    if (count == nullptr || groupName == nullptr || ids == nullptr || names == nullptr || labels == nullptr)
        return Code(Result::Param);
    return Code(BuildGroupList(groupName, selection, GroupOutput{count, ids, names, labels}));
}

extern "C" uint32_t GetAllTZInfo(uint32_t *count, uint16_t *ids, TZChar **entries, uint16_t selection) {
    if (count == nullptr || ids == nullptr || entries == nullptr || selection > kSelectUserZones)
        return Code(Result::Param);
    return Code(BuildCatalogueList(selection, count, ids, entries));
}
