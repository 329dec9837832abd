// UTF-16 text helpers over the engine's fixed buffers. None allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Kelvane.h"

#if defined(_WIN32)
#define KT(s) L##s
#else
#define KT(s) u##s
#endif

namespace kelvane {

using TextView = std::basic_string_view<TZChar>;

// Units before the terminator, looking at no more than limit units.
inline std::size_t BoundedLength(const TZChar *text, std::size_t limit) noexcept {
    std::size_t n = 0;
    while (n < limit && text[n] != 0) ++n;
    return n;
}

// Copies text into a buffer of capacity units, cut to capacity - 1, always terminated.
inline void CopyText(TZChar *dest, std::size_t capacity, TextView text) noexcept {
    if (capacity == 0) return;
    std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    for (std::size_t i = 0; i < n; ++i) dest[i] = text[i];
    dest[n] = 0;
}

template <std::size_t N>
inline void CopyText(TZChar (&dest)[N], TextView text) noexcept {
    CopyText(dest, N, text);
}

inline TextView ViewOf(const TZChar *text, std::size_t limit) noexcept {
    return TextView(text, BoundedLength(text, limit));
}

}  // namespace kelvane
