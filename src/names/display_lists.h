// Display-ready zone lists in the user's language, west to east, each zone
// with its GMT label.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

struct GroupListOutput {
    std::uint16_t *count;
    std::uint16_t *ids;
    TZChar **names;
    TZChar **labels;
};

// The zones TZ_Zone.ini assigns to the group, label and name in separate texts.
Result BuildGroupList(const TZChar *groupName, std::uint16_t selection, const GroupListOutput &out) noexcept;

// A catalogue selection (at most the user zones' 3), the bracketed label and
// the name in one text.
Result BuildCatalogueList(std::uint16_t selection, std::uint32_t *count, std::uint16_t *ids,
                          TZChar **entries) noexcept;

}  // namespace kelvane
