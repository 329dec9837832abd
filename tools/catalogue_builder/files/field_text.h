// Texts as the data files can hold them in one field.
//
// A field is at most 63 UTF-16 units, ends at a tab, space or line end (a
// space is written '$'), and a line is at most 254 units with its CR LF. The
// names that go into the files are cut to fit here, always between whole
// characters: never inside a surrogate pair, never leaving a combining mark
// without its base, never ending on a space.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Kelvane.h"

namespace kelvane::builder {

using Text = std::basic_string<TZChar>;

inline constexpr std::size_t kFieldUnits = 63;
inline constexpr std::size_t kLineUnits = 254;  // with the CR LF

Text FromUtf8(std::string_view utf8);
std::string ToUtf8(const Text &text);

// Control characters become spaces; spaces are trimmed at both ends and
// runs of them collapsed to one.
Text CleanText(const Text &text);
// At most maxUnits units, cut at a character boundary, trailing spaces dropped.
Text CutText(const Text &text, std::size_t maxUnits);
// CleanText, then CutText.
Text FieldText(const Text &text, std::size_t maxUnits = kFieldUnits);

// Cuts the longest of the texts, one character at a time, until together
// they take at most budget units.
void FitTogether(Text *const *texts, std::size_t count, std::size_t budget);

}  // namespace kelvane::builder
