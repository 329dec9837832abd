#include "icu/languages.h"

#include <unicode/uloc.h>

namespace kelvane::builder {
namespace {
constexpr const char *kLocales[] = {"en_US", "zh_CN", "zh_TW", "de_DE", "es_ES", "fr_FR",
                                    "it_IT", "ja_JP", "ko_KR", "pt_BR", "ru_RU"};
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
