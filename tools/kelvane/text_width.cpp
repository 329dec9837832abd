#include "text_width.h"

namespace kelvane::tool {
namespace {
bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Marks drawn on the character before them, and invisible format controls.
bool IsZeroWidth(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0483 && c <= 0x0489) || (c >= 0x0591 && c <= 0x05BD) ||
           c == 0x05BF || c == 0x05C1 || c == 0x05C2 || c == 0x05C4 || c == 0x05C5 || c == 0x05C7 ||
           (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
           (c >= 0x06D6 && c <= 0x06DC) || (c >= 0x06DF && c <= 0x06E4) || c == 0x06E7 || c == 0x06E8 ||
           (c >= 0x06EA && c <= 0x06ED) || (c >= 0x0900 && c <= 0x0902) || c == 0x093A || c == 0x093C ||
           (c >= 0x0941 && c <= 0x0948) || c == 0x094D || (c >= 0x0951 && c <= 0x0957) || c == 0x0962 ||
           c == 0x0963 || c == 0x0E31 || (c >= 0x0E34 && c <= 0x0E3A) || (c >= 0x0E47 && c <= 0x0E4E) ||
           (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) || c == 0xFEFF;
}

bool IsRightToLeft(char32_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFC) ||
           (c >= 0x10800 && c <= 0x10FFF) || (c >= 0x1E800 && c <= 0x1EFFF);
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
        const std::size_t width = IsZeroWidth(c) ? 0 : IsWide(c) ? 2 : 1;
        if (used + width > columns) break;
        out.append(text, i, length);
        used += width;
        i += length;
    }
    return Isolated(out) + std::string(columns - used, ' ');
}

std::string Isolated(const std::string &text) {
    bool rightToLeft = false;
    for (std::size_t i = 0; i < text.size() && !rightToLeft;) {
        char32_t c = 0;
        i += Decode(text, i, &c);
        rightToLeft = IsRightToLeft(c);
    }
    return rightToLeft ? "\u2067" + text + "\u2069" : text;  // RIGHT-TO-LEFT ISOLATE ... POP DIRECTIONAL ISOLATE
}

}  // namespace kelvane::tool
