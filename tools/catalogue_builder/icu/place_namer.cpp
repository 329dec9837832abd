#include "icu/place_namer.h"

#include <unicode/timezone.h>

#include <utility>

#include "icu/icu_text.h"

namespace kelvane::builder {
namespace {
// Short forms for the English country names that fit the country room
// (19 units) neither whole nor in CLDR's own short form. Each is the usual
// abbreviation of the name, so that a reader still knows the country.
constexpr std::pair<const char *, const char16_t *> kShortCountries[] = {
    {"AE", u"UAE"},
    {"BQ", u"Caribbean Neth."},
    {"CC", u"Cocos Islands"},
    {"CF", u"Central Afr. Rep."},
    {"GS", u"South Georgia"},
    {"HM", u"Heard & McDonald"},
    {"IO", u"Brit. Indian Ocean"},
    {"MP", u"N. Mariana Islands"},
    {"PM", u"St. Pierre & Miq."},
    {"SJ", u"Svalbard & J. Mayen"},
    {"TC", u"Turks & Caicos"},
    {"TF", u"Fr. Southern Terr."},
    {"UM", u"U.S. Outlying Isl."},
    {"VC", u"St. Vincent & Gren."},
    {"VG", u"Br. Virgin Islands"},
};

// The text cut to maxUnits, with a sentence in *cuts when it had to be.
Text Fit(const Text &text, std::size_t maxUnits, const std::string &what, std::vector<std::string> *cuts) {
    const Text fitted = CutAtWord(text, maxUnits);
    if (fitted != text) cuts->push_back(what + " \"" + ToUtf8(text) + "\" cut to \"" + ToUtf8(fitted) + "\"");
    return fitted;
}
}  // namespace

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

// The full name where it fits, else CLDR's short one ("Bosnia"), else the
// builder's own short form, else (a country CLDR added since) cut.
Text PlaceNamer::CountryName(const char *code, std::vector<std::string> *cuts) const {
    const std::size_t room = kCountryRoom - 1;
    icu::UnicodeString full, brief;
    countries_->regionDisplayName(code, full);
    shortCountries_->regionDisplayName(code, brief);
    const Text fullText = FieldText(FromIcu(full), kFieldUnits), briefText = FieldText(FromIcu(brief), kFieldUnits);
    if (fullText.size() <= room) return fullText;
    if (briefText.size() <= room) return briefText;
    for (const auto &[country, shortForm] : kShortCountries)
        if (std::string_view(country) == code) return Text(shortForm);
    return Fit(fullText, room, std::string("country ") + code, cuts);
}

std::optional<CityEntry> PlaceNamer::Describe(std::uint16_t id, const std::string &zone,
                                              std::vector<std::string> *cuts) const {
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
    entry.city = Fit(FieldText(FromIcu(city), kFieldUnits), kCityRoom - 1, "city of " + zone, cuts);
    entry.country = CountryName(region, cuts);
    entry.countryCode = FieldText(FromIcu(ToIcu(region)), kCountryCodeRoom - 1);
    return entry;
}

}  // namespace kelvane::builder
