#include "text_width.h"

namespace kelvane::tool {
namespace {
bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Length of the UTF-8 sequence starting at text[i] and the character it encodes.
std::size_t Decode(const std::string &text, std::size_t i, char32_t *c) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i + length > text.size()) {
        *c = lead;
        return 1;
    }
    *c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) *c = (*c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return length;
}
}  // namespace

std::string FitColumns(const std::string &text, std::size_t columns) {
    std::string out;
    std::size_t used = 0, i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        const std::size_t length = Decode(text, i, &c);
        const std::size_t width = IsWide(c) ? 2 : 1;
        if (used + width > columns) break;
        out.append(text, i, length);
        used += width;
        i += length;
    }
    out.append(columns - used, ' ');
    return out;
}

}  // namespace kelvane::tool
