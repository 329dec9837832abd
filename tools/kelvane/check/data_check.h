// Checks a whole data directory: every file the engine reads, each against
// its own format, then the files against one another (identifiers that must
// exist in the catalogue, limits on the number of zones, description files).
// Given the year of the device's clock, it also warns when the data set
// holds the rules of another year; given the system's tz database version,
// when the data set was built from an older one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "check/problem.h"

namespace kelvane::tool {

Problems CheckDataDirectory(const std::filesystem::path &directory, std::optional<int> clockYear = std::nullopt,
                            const std::string &systemTzdata = {});

}  // namespace kelvane::tool
