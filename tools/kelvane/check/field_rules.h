// Strict reading of numeric fields: the engine turns any text into a number
// without a word, so the checker insists on plain decimal integers in range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "check/data_file.h"

namespace kelvane::tool {

struct FieldRule {
    const char *name;
    std::int64_t min;
    std::int64_t max;
};

// The value of field index of line if it is a decimal integer within the
// rule's range; otherwise reports it and returns empty.
std::optional<std::int64_t> CheckNumber(const std::string &file, const DataLine &line, std::size_t index,
                                        const FieldRule &rule, Problems &problems);

}  // namespace kelvane::tool
