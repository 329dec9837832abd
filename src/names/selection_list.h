// The working arrays behind a selection list: the zones' catalogue records
// and descriptions, kept in step with the caller's identifier array, sorted
// west to east.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "platform/memory.h"
#include "record/result.h"
#include "record/text.h"

namespace kelvane {

class SelectionList {
public:
    Result Allocate() noexcept;

    TZInfo *Records() noexcept { return records_.get(); }
    const TZInfo &Record(std::uint16_t i) const noexcept { return records_[i]; }

    // Looks up the records of ids[0..*count) and leaves out, from ids and the
    // records alike, every zone the catalogue has no record for (or that is
    // asked for a second time); *count becomes the number kept.
    Result KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept;

    // The descriptions of ids[0..count) in the interface language; a zone
    // without one gets empty texts.
    Result Describe(const std::uint16_t *ids, std::uint16_t count) noexcept;

    // Descending Offset, far west first, by exchanges in a fixed order: for
    // each i, every later j whose Offset is greater than i's trades places
    // with i, records, identifiers and descriptions together. Ties end up in
    // exactly the order these exchanges leave them.
    void SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept;

    // Selection 0 (the compatibility zones) shows a zone's second name, every
    // other selection its first.
    TextView Name(std::uint16_t i, std::uint16_t selection) const noexcept;

private:
    Owned<TZInfo[]> records_;
    Owned<TZDesc[]> descs_;
};

// Every one of count text pointers is present.
bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept;

}  // namespace kelvane
