// The bounded copies; nullptr refuses (no room for a character and its terminator, or an end before the start).
#include "Kelvane.h"
#include "base/bounded_copy.h"

using namespace kelvane;

extern "C" TZChar *wcsncpy_sc(TZChar *dest, const TZChar *src, uint16_t capacity) {
    if (dest == nullptr || src == nullptr || capacity < 2) return nullptr;
    BoundedCopy(dest, src, capacity);
    return dest;
}

extern "C" TZChar *SubStr_sc(TZChar *dest, const TZChar *src, uint16_t start, uint16_t end, uint16_t capacity) {
    if (dest == nullptr || src == nullptr || capacity < 2 || end < start) return nullptr;
    BoundedSubstring(dest, src, start, end, capacity);
    return dest;
}
