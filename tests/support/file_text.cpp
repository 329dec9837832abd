#include "support/file_text.h"

#include "record/line_list.h"

namespace kelvane::test {

Text FileText(const DataDir &dir, const std::string &name) {
    const std::string bytes = dir.ReadBytes(name);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {};
    Text text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<TZChar>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

std::vector<Text> FileLines(const DataDir &dir, const std::string &name) {
    const Text text = FileText(dir, name);
    std::vector<Text> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(KT("\r\n"), start);
        if (end == Text::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end + 2 - start));
        start = end + 2;
    }
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
