// The shipped data directory data/: its files as raw UTF-16 lines, and a
// throw-away copy that the engine reads.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/data_dir.h"

namespace kelvane::test {

inline const std::filesystem::path kShippedData = KELVANE_SHIPPED_DATA_DIR;

// The text after the byte-order mark split at CR LF; empty unless the file
// is UTF-16LE with a byte-order mark.
inline std::vector<Text> RawLines(const std::string &name) {
    std::ifstream in(kShippedData / name, std::ios::binary);
    std::ostringstream stream;
    stream << in.rdbuf();
    const std::string bytes = stream.str();
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {};
    Text text;
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<TZChar>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    std::vector<Text> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != Text::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The fields of the data lines (not empty, not comments), split at tabs and spaces.
inline std::vector<std::vector<Text>> RawRecords(const std::string &name) {
    std::vector<std::vector<Text>> records;
    for (const Text &line : RawLines(name)) {
        if (line.empty() || line[0] == u';') continue;
        std::vector<Text> fields;
        for (std::size_t start = 0, end; start <= line.size(); start = end + 1) {
            end = std::min(line.find_first_of(u"\t ", start), line.size());
            if (end > start) fields.push_back(line.substr(start, end - start));
        }
        records.push_back(std::move(fields));
    }
    return records;
}

inline std::set<std::string> ShippedFileNames() {
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(kShippedData))
        if (entry.is_regular_file()) names.insert(entry.path().filename().string());
    return names;
}

// A data directory holding a copy of data/, with the simulated device over it.
class ShippedDataDir : public DataDir {
public:
    ShippedDataDir() {
        for (const std::string &name : ShippedFileNames())
            std::filesystem::copy_file(kShippedData / name, Path() / name, std::filesystem::copy_options::overwrite_existing);
    }
};

// A decimal field, or -99999 when it is not one.
inline int Number(const Text &field) {
    const bool negative = !field.empty() && field[0] == u'-';
    int value = 0;
    for (std::size_t i = negative ? 1 : 0; i < field.size(); ++i) {
        if (field[i] < u'0' || field[i] > u'9') return -99999;
        value = value * 10 + (field[i] - u'0');
    }
    return negative ? -value : value;
}

}  // namespace kelvane::test
