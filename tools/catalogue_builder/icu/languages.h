// The languages of the data directory: the locale whose CLDR names fill its
// description file, its platform language identifier (ICU's uloc_getLCID)
// and the file's name, TZ_Desc_<identifier>.ini.
#pragma once

#include <string>
#include <vector>

#include <unicode/locid.h>

#include "files/catalogue_model.h"

namespace kelvane::builder {

struct LanguageChoice {
    icu::Locale locale;
    Language language;  // descriptions still empty
};

// English (1033) first, Simplified Chinese (2052) second, then the rest;
// empty, with the reason in *problem, when a locale has no identifier.
std::vector<LanguageChoice> ChooseLanguages(std::string *problem);

inline constexpr std::uint16_t kEnglish = 1033;

}  // namespace kelvane::builder
