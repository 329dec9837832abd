// Checks a whole data directory: every file the engine reads, each against
// its own format, then the files against one another (identifiers that must
// exist in the catalogue, limits on the number of zones, description files).
#pragma once

#include <filesystem>

#include "check/problem.h"

namespace kelvane::tool {

Problems CheckDataDirectory(const std::filesystem::path &directory);

}  // namespace kelvane::tool
