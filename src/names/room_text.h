// Texts handed to callers in fixed rooms (the city and search lists): copied
// as the C library's bounded wide copy does, the rest of the room filled with
// zeros, except that the last unit of the room is always a terminator, so a
// text as long as its room or longer is cut to room - 1 characters.
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "base/text.h"

namespace kelvane {

inline void CopyIntoRoom(TZChar *dest, std::size_t room, TextView text) noexcept {
    if (room == 0) return;
    const std::size_t n = text.size() < room - 1 ? text.size() : room - 1;
    for (std::size_t i = 0; i < n; ++i) dest[i] = text[i];
    for (std::size_t i = n; i < room; ++i) dest[i] = 0;
}

}  // namespace kelvane
