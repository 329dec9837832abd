// Data files as the tests read them back: the engine's read loop, the
// shipped data/ directory and a throw-away copy of it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "record/record_reader.h"
#include "support/data_dir.h"

namespace kelvane::test {

using Fields = std::vector<Text>;

// The fields of every line the engine's read loop hands on ('$' read as a space).
inline std::vector<Fields> DataLines(const TZChar *file, std::uint16_t minFields) {
    std::vector<Fields> lines;
    RecordReader reader;
    if (reader.Open() != Result::Ok) return lines;
    reader.Read(file, minFields, [&](const RecordLine &line) noexcept {
        lines.emplace_back();
        for (std::uint16_t i = 0; i < line.Count(); ++i) lines.back().emplace_back(line.Text(i));
        return true;
    });
    return lines;
}

inline const std::filesystem::path kShippedData = KELVANE_SHIPPED_DATA_DIR;

// A data directory holding a copy of data/, with the simulated device over it.
class ShippedDataDir : public DataDir {
public:
    ShippedDataDir() {
        for (const auto &entry : std::filesystem::directory_iterator(kShippedData))
            std::filesystem::copy_file(entry.path(), Path() / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
};

// A decimal field (std::invalid_argument when it is none).
inline int Number(const Text &field) { return std::stoi(std::string(field.begin(), field.end())); }

// The rest of a text file's first line that begins with prefix ("year = " of
// dataset.txt, a tz database's "version"); empty if none.
inline std::string LineAfter(const std::filesystem::path &file, const std::string &prefix) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix)) return line.substr(prefix.size());
    return std::string();
}

// The year of the shipped data's rules, as dataset.txt gives it.
inline int ShippedDataYear() { return std::atoi(LineAfter(kShippedData / "dataset.txt", "year = ").c_str()); }

}  // namespace kelvane::test
