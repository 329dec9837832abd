#include "support/file_text.h"

#include <utility>

#include "record/line_list.h"

namespace kelvane::test {

std::vector<Text> FileLines(const DataDir &dir, const std::string &name) {
    const std::string bytes = dir.ReadBytes(name);
    std::vector<Text> lines;
    if (bytes.compare(0, 2, "\xFF\xFE") != 0) return lines;
    Text line;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        line += static_cast<TZChar>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (line.ends_with(KT("\r\n"))) lines.push_back(std::exchange(line, {}));
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<Text> BannerLines() {
    LineList lines;
    if (lines.Allocate() != Result::Ok) return {};
    AppendBanner(lines);
    return std::vector<Text>(lines.Lines(), lines.Lines() + lines.Count());
}

Text Widen(const std::string &ascii) {
    Text text;
    for (char c : ascii) text += static_cast<TZChar>(static_cast<unsigned char>(c));
    return text;
}

}  // namespace kelvane::test
