// Terminal columns of UTF-8 text, so names in any script line up.
#pragma once

#include <string>

namespace kelvane::tool {

// text cut at a character boundary to at most columns columns, then padded
// with spaces to exactly that many. East Asian wide characters take two.
std::string FitColumns(const std::string &text, std::size_t columns);

}  // namespace kelvane::tool
