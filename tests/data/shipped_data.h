// The shipped data directory data/, for the tests that check it: its files
// as raw UTF-16 lines, and a throw-away copy that the engine reads.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/data_dir.h"

namespace kelvane::test {

inline const std::filesystem::path kShippedData = KELVANE_SHIPPED_DATA_DIR;

inline std::string ShippedBytes(const std::string &name) {
    std::ifstream in(kShippedData / name, std::ios::binary);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    return bytes.str();
}

// The file's text after the byte-order mark, split at CR LF; empty when the
// file is missing, has no byte-order mark or an odd number of bytes.
inline std::vector<Text> RawLines(const std::string &name) {
    const std::string bytes = ShippedBytes(name);
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes[0] != '\xFF' || bytes[1] != '\xFE') return {};
    Text text;
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<TZChar>(static_cast<unsigned char>(bytes[i]) |
                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
    std::vector<Text> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != Text::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Data lines: neither empty nor comments (the banner's lines are comments).
inline std::vector<std::vector<Text>> RawRecords(const std::string &name) {
    std::vector<std::vector<Text>> records;
    for (const Text &line : RawLines(name)) {
        if (line.empty() || line[0] == u';') continue;
        std::vector<Text> fields;
        std::size_t start = 0;
        while (start <= line.size()) {
            std::size_t end = line.find_first_of(u"\t ", start);
            if (end == Text::npos) end = line.size();
            if (end > start) fields.push_back(line.substr(start, end - start));
            start = end + 1;
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
            std::filesystem::copy_file(kShippedData / name, Path() / name,
                                       std::filesystem::copy_options::overwrite_existing);
    }
};

inline int Number(const Text &field) {
    int value = 0;
    bool negative = false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (i == 0 && field[i] == u'-') {
            negative = true;
            continue;
        }
        if (field[i] < u'0' || field[i] > u'9') return -99999;
        value = value * 10 + (field[i] - u'0');
    }
    return negative ? -value : value;
}

}  // namespace kelvane::test
