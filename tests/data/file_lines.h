// The data lines of a file as the engine's read loop hands them out.
#pragma once

#include <string>
#include <vector>

#include "record/record_reader.h"
#include "support/data_dir.h"

namespace kelvane::test {

using Fields = std::vector<Text>;

// nullopt-like empty result with ok false when the file cannot be read.
inline std::vector<Fields> DataLines(const TZChar *file, std::uint16_t minFields, bool *ok = nullptr) {
    std::vector<Fields> lines;
    RecordReader reader;
    Result result = reader.Open();
    if (result == Result::Ok) {
        result = reader.Read(file, minFields, [&](const RecordLine &line) noexcept {
            Fields fields;
            for (std::uint16_t i = 0; i < line.Count(); ++i) fields.emplace_back(line.Text(i));
            lines.push_back(std::move(fields));
            return true;
        });
    }
    if (ok != nullptr) *ok = result == Result::Ok;
    return lines;
}

}  // namespace kelvane::test
