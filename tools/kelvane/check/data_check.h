// Checks a whole data directory: every file the engine reads, each against
// its own format, then the files against one another (identifiers that must
// exist in the catalogue, limits on the number of zones, description files).
// Given the year of the device's clock, it also warns when the data set
// holds the rules of another year.
#pragma once

#include <filesystem>
#include <optional>

#include "check/problem.h"

namespace kelvane::tool {

Problems CheckDataDirectory(const std::filesystem::path &directory, std::optional<int> clockYear = std::nullopt);

}  // namespace kelvane::tool
