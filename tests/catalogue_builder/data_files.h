// Data files as the tests read them back: the engine's read loop, the
// shipped data/ directory as raw UTF-16 lines, and a throw-away copy of it.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
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

// A shipped file's text after the byte-order mark split at CR LF; empty
// unless it is UTF-16LE with a byte-order mark.
inline std::vector<Text> RawLines(const std::string &name) {
    std::ifstream in(kShippedData / name, std::ios::binary);
    std::ostringstream stream;
    stream << in.rdbuf();
    const std::string bytes = stream.str();
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {};
    Text text;
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<TZChar>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
    std::vector<Text> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(KT("\r\n"), start)) != Text::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

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

}  // namespace kelvane::test
