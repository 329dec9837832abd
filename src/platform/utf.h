// UTF-8 and UTF-16 conversion for the platform layer (paths, device.ini).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Kelvane.h"

namespace kelvane {

// Unpaired surrogates and malformed bytes become U+FFFD.
std::string ToUtf8(std::basic_string_view<TZChar> text);
std::basic_string<TZChar> ToUtf16(std::string_view text);
// text in UTF-8 into buffer with its terminator: the length written, 0 when
// it does not fit.
std::size_t CopyAsUtf8(std::basic_string_view<TZChar> text, char *buffer, std::size_t capacity) noexcept;
// text in UTF-16 into buffer with its terminator: the length written, 0 when
// it does not fit.
std::uint32_t CopyAsUtf16(std::string_view text, TZChar *buffer, std::uint32_t capacity) noexcept;
// text in UTF-16 into buffer, cut to capacity - 1 units, with its terminator.
void CopyUtf16Cut(std::string_view text, TZChar *buffer, std::size_t capacity) noexcept;

}  // namespace kelvane
