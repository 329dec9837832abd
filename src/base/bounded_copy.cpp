#include "base/bounded_copy.h"

#include "base/text.h"

namespace kelvane {
namespace {
std::size_t LengthOf(const TZChar *text) noexcept { return BoundedLength(text, SIZE_MAX); }
}  // namespace

void BoundedCopy(TZChar *dest, const TZChar *src, std::uint16_t capacity) noexcept {
    const std::size_t length = LengthOf(src);
    const std::size_t copied = length < capacity ? length : capacity - 1u;
    for (std::size_t i = 0; i < copied; ++i) dest[i] = src[i];
    dest[copied] = 0;
}

void BoundedSubstring(TZChar *dest, const TZChar *src, std::uint16_t start, std::uint16_t end,
                      std::uint16_t capacity) noexcept {
    dest[0] = 0;
    const std::size_t length = LengthOf(src);
    if (length == 0) return;
    const std::size_t last = (end == 0 || end + 1u >= length) ? length - 1 : end;
    std::size_t copied = 0;
    for (std::size_t i = start; i <= last && i < length && copied < capacity - 1u; ++i) dest[copied++] = src[i];
    dest[copied] = 0;
}

}  // namespace kelvane
