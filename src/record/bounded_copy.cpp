// The two exported bounded copies. Both always terminate the destination and
// write nothing past the terminator; capacity counts the terminator.
#include "Kelvane.h"
#include "record/text.h"

namespace {
std::size_t LengthOf(const TZChar *text) noexcept { return kelvane::BoundedLength(text, SIZE_MAX); }
}  // namespace

extern "C" TZChar *wcsncpy_sc(TZChar *dest, const TZChar *src, uint16_t capacity) {
    if (dest == nullptr || src == nullptr || capacity < 2) return nullptr;
    const std::size_t length = LengthOf(src);
    const std::size_t copied = length < capacity ? length : capacity - 1u;
    for (std::size_t i = 0; i < copied; ++i) dest[i] = src[i];
    dest[copied] = 0;
    return dest;
}

extern "C" TZChar *SubStr_sc(TZChar *dest, const TZChar *src, uint16_t start, uint16_t end, uint16_t capacity) {
    if (dest == nullptr || src == nullptr || capacity < 2 || end < start) return nullptr;
    dest[0] = 0;
    const std::size_t length = LengthOf(src);
    if (length == 0) return dest;
    // End 0, or an end at or past the last character, runs to the end of the source.
    const std::size_t last = (end == 0 || end + 1u >= length) ? length - 1 : end;
    std::size_t copied = 0;
    for (std::size_t i = start; i <= last && i < length && copied < capacity - 1u; ++i) dest[copied++] = src[i];
    dest[copied] = 0;
    return dest;
}
