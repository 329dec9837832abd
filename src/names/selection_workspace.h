// The working arrays behind a selection list: the zones' catalogue records
// and shown names, kept in step with the caller's identifier array, sorted
// west to east. Every file of the list is read through one reader, and
// TZ_UserDef.ini once: the catalogue read hands its lines to the names as
// it passes them.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "catalogue/zone_list.h"
#include "names/slot_index.h"
#include "platform/memory.h"
#include "record/field_parser.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

class SelectionList : private UserLineWatcher {
public:
    // Selection 0 (the compatibility zones) shows a zone's second name, every
    // other selection its first: only that text is read and kept.
    Result Allocate(std::uint16_t selection) noexcept;
    RecordReader &Reader() noexcept { return reader_; }

    // The i-th zone of the list: in catalogue order, west to east once sorted.
    const TZInfo &Record(std::uint16_t i) const noexcept { return records_[order_[i]]; }

    // Looks up the records of ids[0..*count) and leaves out, from ids and the
    // records alike, every zone the catalogue has no record for (or that is
    // asked for a second time); *count becomes the number kept.
    Result KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept;

    // The shown names of the first count records in the interface language:
    // TZ_UserDef.ini, then the language's description file, each line naming
    // the first record of its zone, a later line overwriting an earlier one;
    // a zone neither file names gets an empty text.
    Result Describe(std::uint16_t count) noexcept;

    // The catalogue selection into the records (LoadTZList; *count as
    // there), and then their names: the same texts as Describe gives.
    Result LoadCatalogue(std::uint16_t *count) noexcept;
    Result DescribeCatalogue(std::uint16_t count) noexcept;

    // Descending Offset, far west first, by exchanges in a fixed order: for
    // each i, every later j whose Offset is greater than i's trades places
    // with i, records, identifiers and names together. Ties end up in
    // exactly the order these exchanges leave them. The exchanges move
    // indices; records and names stay where they are.
    void SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept;

    // The i-th zone's shown name.
    TextView Name(std::uint16_t i) const noexcept { return ViewOf(names_[order_[i]], kFieldUnits - 1); }

private:
    // A user line names the first listed zone with its identifier.
    void OnUserLine(const RecordLine &line, const TZInfo *zones, std::uint16_t listed) noexcept override;
    Result DescribeInLanguage(std::uint16_t count) noexcept;
    void ClearNamesBefore(std::uint16_t end) noexcept;
    void IndexRecordsBefore(std::uint16_t end) noexcept;

    RecordReader reader_;
    std::uint16_t selection_ = 0;
    std::uint16_t shownField_ = 1;  // of a description-file line
    std::uint16_t cleared_ = 0;     // names already emptied
    std::uint16_t indexed_ = 0;     // records already in index_
    SlotIndex index_;
    Owned<TZInfo[]> records_;
    Owned<FieldBuffer[]> names_;
    std::uint8_t order_[TZ_MAX_ZONES];  // list position -> slot of records_ and names_
};

// Every one of count text pointers is present.
bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept;

}  // namespace kelvane
