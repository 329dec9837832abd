// Reading back what the engine wrote: the file's text and its lines,
// decoded independently of the engine's own reader.
#pragma once

#include <string>
#include <vector>

#include "support/data_dir.h"

namespace kelvane::test {

// The file's UTF-16LE lines after its byte-order mark, each with its CR LF,
// the last one as it ends; none when the file is missing or has no mark.
std::vector<Text> FileLines(const DataDir &dir, const std::string &name);
// The 16 banner lines every engine-written file begins with, as the engine writes them.
std::vector<Text> BannerLines();
// ASCII text widened to UTF-16.
Text Widen(const std::string &ascii);

}  // namespace kelvane::test
