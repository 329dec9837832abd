#include "icu/place_namer.h"

#include <unicode/timezone.h>

#include "icu/icu_text.h"

namespace kelvane::builder {

Text CutAtWord(const Text &text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    const std::size_t space = text.rfind(u' ', maxUnits);
    Text cut = space != Text::npos && space >= maxUnits / 2 ? text.substr(0, space) : CutText(text, maxUnits);
    while (!cut.empty() && Text(u" &-,").find(cut.back()) != Text::npos) cut.pop_back();
    return cut;
}

PlaceNamer::PlaceNamer() {
    const icu::Locale english("en");
    UErrorCode status = U_ZERO_ERROR;
    names_.reset(icu::TimeZoneNames::createInstance(english, status));
    if (U_FAILURE(status)) names_.reset();
    countries_.reset(icu::LocaleDisplayNames::createInstance(english, ULDN_STANDARD_NAMES));
    UDisplayContext shortForm[] = {UDISPCTX_LENGTH_SHORT};
    shortCountries_.reset(icu::LocaleDisplayNames::createInstance(english, shortForm, 1));
}

// The full name where it fits, else CLDR's short one ("Bosnia"), else cut.
Text PlaceNamer::CountryName(const char *code) const {
    const std::size_t room = kCountryRoom - 1;
    icu::UnicodeString full, brief;
    countries_->regionDisplayName(code, full);
    shortCountries_->regionDisplayName(code, brief);
    const Text fullText = FieldText(FromIcu(full), kFieldUnits), briefText = FieldText(FromIcu(brief), kFieldUnits);
    if (fullText.size() <= room) return fullText;
    return CutAtWord(briefText.size() < fullText.size() ? briefText : fullText, room);
}

std::optional<CityEntry> PlaceNamer::Describe(std::uint16_t id, const std::string &zone) const {
    UErrorCode status = U_ZERO_ERROR;
    char region[8] = {};
    icu::TimeZone::getRegion(ToIcu(zone), region, sizeof region, status);
    if (U_FAILURE(status) || std::string(region) == "001" || region[0] == '\0') return std::nullopt;
    icu::UnicodeString city;
    names_->getExemplarLocationName(ToIcu(zone), city);
    if (city.isEmpty()) {
        // The last part of the zone's name, as CLDR itself falls back to.
        std::string last = zone.substr(zone.rfind('/') + 1);
        for (char &c : last)
            if (c == '_') c = ' ';
        city = ToIcu(last);
    }
    CityEntry entry;
    entry.id = id;
    entry.city = CutAtWord(FieldText(FromIcu(city), kFieldUnits), kCityRoom - 1);
    entry.country = CountryName(region);
    entry.countryCode = FieldText(FromIcu(ToIcu(region)), kCountryCodeRoom - 1);
    return entry;
}

}  // namespace kelvane::builder
