// UTF-8 and UTF-16 conversion for the platform layer (paths, device.ini).
#pragma once

#include <string>
#include <string_view>

#include "Kelvane.h"

namespace kelvane {

// Unpaired surrogates and malformed bytes become U+FFFD.
std::string ToUtf8(std::basic_string_view<TZChar> text);
std::basic_string<TZChar> ToUtf16(std::string_view text);

}  // namespace kelvane
