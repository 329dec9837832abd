// The interface language of a POSIX host: its locale, as the C library's
// message catalogues choose it, turned into a Windows language identifier.
#pragma once

#include <cstdint>

namespace kelvane {

inline constexpr std::uint16_t kEnglishUnitedStates = 1033;

// "language_TERRITORY[.codeset][@modifier]" to its identifier; codeset and
// modifier are ignored. A bare language, or a territory the table lacks,
// gives the language's default (de -> 1031); C, POSIX, nothing (nullptr or
// empty) or a language the table lacks give 1033.
std::uint16_t LanguageOfLocale(const char *locale) noexcept;

// LC_ALL, else LC_MESSAGES, else LANG: the first that is set and not empty.
const char *MessagesLocale() noexcept;

}  // namespace kelvane
