#include "icu/languages.h"

#include <unicode/uloc.h>

#include <iterator>

namespace kelvane::builder {
namespace {
// The first eleven languages keep their places; the rest follow in the order
// of their identifiers. Two of the 32 places are left for a device maker's own.
constexpr const char *kLocales[] = {"en_US", "zh_CN", "zh_TW", "de_DE", "es_ES", "fr_FR", "it_IT", "ja_JP",
                                    "ko_KR", "pt_BR", "ru_RU", "ar_SA", "cs_CZ", "da_DK", "el_GR", "fi_FI",
                                    "he_IL", "hu_HU", "nl_NL", "nb_NO", "pl_PL", "sv_SE", "th_TH", "tr_TR",
                                    "id_ID", "uk_UA", "vi_VN", "hi_IN", "ms_MY", "pt_PT"};
static_assert(std::size(kLocales) + 2 <= TZ_MAX_LANGUAGES);
}  // namespace

std::vector<LanguageChoice> ChooseLanguages(std::string *problem) {
    std::vector<LanguageChoice> choices;
    for (const char *name : kLocales) {
        const std::uint32_t lcid = uloc_getLCID(name);
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale locale(name);
        const std::string tag = locale.toLanguageTag<std::string>(status);
        if (lcid == 0 || lcid > 0xFFFF || U_FAILURE(status)) {
            *problem = std::string("no platform language identifier for ") + name;
            return {};
        }
        LanguageChoice choice{locale, {}};
        choice.language.id = static_cast<std::uint16_t>(lcid);
        choice.language.fileName = FromUtf8("TZ_Desc_" + std::to_string(lcid) + ".ini");
        choice.language.tag = FromUtf8(tag);
        choices.push_back(std::move(choice));
    }
    return choices;
}

}  // namespace kelvane::builder
