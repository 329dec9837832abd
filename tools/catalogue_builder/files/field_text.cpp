#include "files/field_text.h"

#include "platform/utf.h"

namespace kelvane::builder {
namespace {
bool IsHighSurrogate(TZChar c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(TZChar c) { return c >= 0xDC00 && c <= 0xDFFF; }
// Marks that belong to the character before them (the common combining
// blocks, variation selectors, zero-width joiner).
bool ExtendsPrevious(TZChar c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) ||
           c == 0x200D || c == 0x3099 || c == 0x309A;
}
bool IsCutPoint(const Text &text, std::size_t at) {
    if (at == 0 || at >= text.size()) return true;
    return !IsLowSurrogate(text[at]) && !ExtendsPrevious(text[at]);
}
void TrimEnd(Text *text) {
    while (!text->empty() && text->back() == u' ') text->pop_back();
}
}  // namespace

Text FromUtf8(std::string_view utf8) { return kelvane::ToUtf16(utf8); }
std::string ToUtf8(const Text &text) { return kelvane::ToUtf8(text); }

Text CleanText(const Text &text) {
    Text clean;
    for (TZChar c : text) {
        const bool blank = c < 0x20 || c == 0x7F || c == u' ';
        if (blank) {
            if (!clean.empty() && clean.back() != u' ') clean += u' ';
        } else {
            clean += c;
        }
    }
    TrimEnd(&clean);
    return clean;
}

Text CutText(const Text &text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    std::size_t at = maxUnits;
    while (at > 0 && !IsCutPoint(text, at)) --at;
    // A lone high surrogate at the end would pair with nothing.
    if (at > 0 && IsHighSurrogate(text[at - 1])) --at;
    Text cut = text.substr(0, at);
    TrimEnd(&cut);
    return cut;
}

Text FieldText(const Text &text, std::size_t maxUnits) { return CutText(CleanText(text), maxUnits); }

void FitTogether(Text *const *texts, std::size_t count, std::size_t budget) {
    for (;;) {
        std::size_t total = 0;
        Text *longest = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            total += texts[i]->size();
            if (longest == nullptr || texts[i]->size() > longest->size()) longest = texts[i];
        }
        if (total <= budget || longest == nullptr || longest->empty()) return;
        *longest = CutText(*longest, longest->size() - 1);
    }
}

}  // namespace kelvane::builder
