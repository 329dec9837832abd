#include "platform/utf.h"

namespace kelvane {
namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Length of a UTF-8 sequence from its lead byte, 0 if it cannot lead one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Calls put(byte) for each UTF-8 byte of text, until put returns false;
// an unpaired surrogate becomes U+FFFD.
template <typename Put>
void EncodeToUtf8(std::basic_string_view<TZChar> text, Put put) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c < 0x80) {  // most text: one byte for one unit
            if (!put(static_cast<char>(c))) return;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;
        bool more = true;
        if (c < 0x800) {
            more = put(static_cast<char>(0xC0 | (c >> 6))) && put(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            more = put(static_cast<char>(0xE0 | (c >> 12))) && put(static_cast<char>(0x80 | ((c >> 6) & 0x3F))) &&
                   put(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            more = put(static_cast<char>(0xF0 | (c >> 18))) && put(static_cast<char>(0x80 | ((c >> 12) & 0x3F))) &&
                   put(static_cast<char>(0x80 | ((c >> 6) & 0x3F))) && put(static_cast<char>(0x80 | (c & 0x3F)));
        }
        if (!more) return;
    }
}

// Calls put(unit) for each UTF-16 unit of text, until put returns false.
template <typename Put>
void DecodeToUtf16(std::string_view text, Put put) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {  // most text: one unit for one byte
            if (!put(static_cast<TZChar>(lead))) return;
            ++i;
            continue;
        }
        const int length = SequenceLength(lead);
        char32_t c = kReplacement;
        std::size_t used = 1;
        if (length != 0 && i + static_cast<std::size_t>(length) <= text.size()) {
            char32_t value = length == 1 ? lead : lead & (0x7F >> length);
            bool valid = true;
            for (int k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) valid = false;
                value = (value << 6) | (next & 0x3F);
            }
            const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
            if (valid && !overlong && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF)) {
                c = value;
                used = static_cast<std::size_t>(length);
            }
        }
        i += used;
        if (c < 0x10000) {
            if (!put(static_cast<TZChar>(c))) return;
        } else {
            c -= 0x10000;
            if (!put(static_cast<TZChar>(0xD800 + (c >> 10))) || !put(static_cast<TZChar>(0xDC00 + (c & 0x3FF))))
                return;
        }
    }
}

// Fills a buffer a unit at a time, keeping room for the terminator.
template <typename Unit>
struct Filler {
    Unit *buffer;
    std::size_t capacity;
    std::size_t length = 0;
    bool overflowed = false;

    bool Put(Unit unit) noexcept {
        overflowed = length + 1 >= capacity;
        if (!overflowed) buffer[length++] = unit;
        return !overflowed;
    }
    void Terminate() noexcept {
        if (capacity != 0) buffer[length] = 0;
    }
    // The length of the whole text, terminated; 0 when it did not fit.
    std::size_t Whole() noexcept {
        if (overflowed || capacity == 0) return 0;
        Terminate();
        return length;
    }
};
}  // namespace

std::string ToUtf8(std::basic_string_view<TZChar> text) {
    std::string out;
    out.reserve(text.size());
    EncodeToUtf8(text, [&out](char byte) {
        out += byte;
        return true;
    });
    return out;
}

std::size_t CopyAsUtf8(std::basic_string_view<TZChar> text, char *buffer, std::size_t capacity) noexcept {
    Filler<char> filler{buffer, capacity};
    EncodeToUtf8(text, [&filler](char byte) { return filler.Put(byte); });
    return filler.Whole();
}

std::basic_string<TZChar> ToUtf16(std::string_view text) {
    std::basic_string<TZChar> out;
    out.reserve(text.size());
    DecodeToUtf16(text, [&out](TZChar unit) {
        out += unit;
        return true;
    });
    return out;
}

std::uint32_t CopyAsUtf16(std::string_view text, TZChar *buffer, std::uint32_t capacity) noexcept {
    Filler<TZChar> filler{buffer, capacity};
    DecodeToUtf16(text, [&filler](TZChar unit) { return filler.Put(unit); });
    return static_cast<std::uint32_t>(filler.Whole());
}

void CopyUtf16Cut(std::string_view text, TZChar *buffer, std::size_t capacity) noexcept {
    Filler<TZChar> filler{buffer, capacity};
    DecodeToUtf16(text, [&filler](TZChar unit) { return filler.Put(unit); });
    filler.Terminate();
}

}  // namespace kelvane
