// The working arrays behind a selection list: the zones' catalogue records
// and descriptions, kept in step with the caller's identifier array, sorted
// west to east. Every file of the list is read through one reader, and
// TZ_UserDef.ini once: the catalogue read hands its lines to the
// descriptions as it passes them.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "catalogue/zone_list.h"
#include "platform/memory.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

class SelectionList : private UserLineWatcher {
public:
    Result Allocate() noexcept;
    RecordReader &Reader() noexcept { return reader_; }

    TZInfo *Records() noexcept { return records_.get(); }
    // The i-th zone of the list: in catalogue order, west to east once sorted.
    const TZInfo &Record(std::uint16_t i) const noexcept { return records_[order_[i]]; }

    // Looks up the records of ids[0..*count) and leaves out, from ids and the
    // records alike, every zone the catalogue has no record for (or that is
    // asked for a second time); *count becomes the number kept.
    Result KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept;

    // The descriptions of ids[0..count) in the interface language; a zone
    // without one gets empty texts.
    Result Describe(const std::uint16_t *ids, std::uint16_t count) noexcept;

    // The catalogue selection into the records (LoadTZList; *count as
    // there), and then its descriptions, ids[0..*count) being the records'
    // identifiers: the same texts as Describe gives.
    Result LoadCatalogue(std::uint16_t selection, std::uint16_t *count) noexcept;
    Result DescribeCatalogue(const std::uint16_t *ids, std::uint16_t count, std::uint16_t selection) noexcept;

    // Descending Offset, far west first, by exchanges in a fixed order: for
    // each i, every later j whose Offset is greater than i's trades places
    // with i, records, identifiers and descriptions together. Ties end up in
    // exactly the order these exchanges leave them. The exchanges move
    // indices; records and descriptions stay where they are.
    void SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept;

    // Selection 0 (the compatibility zones) shows a zone's second name, every
    // other selection its first.
    TextView Name(std::uint16_t i, std::uint16_t selection) const noexcept;

private:
    // A user line fills the description of the first listed zone it names.
    void OnUserLine(const RecordLine &line, const TZInfo *zones, std::uint16_t listed) noexcept override;
    void ClearDescriptionsBefore(std::uint16_t end) noexcept;

    RecordReader reader_;
    std::uint16_t cleared_ = 0;  // descriptions already emptied
    Owned<TZInfo[]> records_;
    Owned<TZDesc[]> descs_;
    std::uint8_t order_[TZ_MAX_ZONES];  // list position -> slot of records_ and descs_
};

// Every one of count text pointers is present.
bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept;

}  // namespace kelvane
