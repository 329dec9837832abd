// Terminal columns of UTF-8 text, so names in any script line up.
#pragma once

#include <string>

namespace kelvane::tool {

// text cut at a character boundary to at most columns columns, then padded
// with spaces to exactly that many. East Asian wide characters take two,
// combining marks and format controls none; a right-to-left name is
// isolated (see Isolated) so that it cannot drag the columns around it.
std::string FitColumns(const std::string &text, std::size_t columns);

// Text holding right-to-left letters (Arabic, Hebrew) wrapped in a
// right-to-left isolate: a terminal that lays out bidirectional text shows
// the name right to left and keeps the line's columns left to right. Other
// text is returned as it is.
std::string Isolated(const std::string &text);

}  // namespace kelvane::tool
