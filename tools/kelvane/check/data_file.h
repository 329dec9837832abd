// A data file as the checker sees it: its bytes decoded as UTF-16LE, its
// physical lines, and each line split into fields exactly as the engine's
// parser splits it, with what the engine would silently cut or drop
// reported instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "check/problem.h"

namespace kelvane::tool {

struct DataLine {
    int number = 0;                    // physical line, from 1
    std::vector<std::u16string> fields;  // as the engine splits them ('$' already a space)
    bool comment = false;              // first field begins with ';'
    bool blank = false;                // no fields at all
};

struct DataFile {
    std::string name;
    std::vector<DataLine> lines;
};

// Reads and decodes name in directory, reporting encoding and limit problems.
// Empty when the file cannot be used at all (missing, not UTF-16LE).
std::optional<DataFile> LoadDataFile(const std::filesystem::path &directory, const std::string &name,
                                     Problems &problems);

std::string Utf8(const std::u16string &text);

}  // namespace kelvane::tool
