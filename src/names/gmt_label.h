// The GMT label a selection list shows before a zone's name. The label is
// made from the zone's Offset, a bias (minutes added to local time to give
// UTC), so a zone west of Greenwich, with a positive Offset, is "GMT-".
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

enum class LabelForm {
    Bare,        // "GMT-05:00 ", or "GMT" for offset 0
    Bracketed,   // "(GMT-05:00) ", or "(GMT)" for offset 0
};

// The caller buffers the lists fill: a bare label, a name, and a bracketed
// label followed by a name; every size counts the terminator.
inline constexpr std::size_t kLabelRoom = 11;
inline constexpr std::size_t kNameRoom = 64;
inline constexpr std::size_t kEntryRoom = 76;

// The longest label, "(GMT-05:00) ", without its terminator.
inline constexpr std::size_t kLongestLabel = 12;

// Writes the label of offset to out (room for kLongestLabel units, no
// terminator) and returns its length. Hours that would need three digits
// (only in a broken catalogue) are written 99:59, so a label keeps its size.
std::size_t WriteGmtLabel(TZChar *out, std::int32_t offset, LabelForm form) noexcept;

}  // namespace kelvane
