#include "icu/zone_namer.h"

#include <unicode/timezone.h>
#include <unicode/udata.h>
#include <unicode/ures.h>

#include "files/writers.h"
#include "icu/icu_text.h"

namespace kelvane::builder {
namespace {
// One of CLDR's zone-name patterns of the locale: "fallbackFormat" ("{1}
// ({0})": a name and a place), "regionFormat" ("{0} Time"),
// "regionFormatStandard", "regionFormatDaylight".
icu::UnicodeString ZonePattern(const icu::Locale &locale, const char *key, const char16_t *otherwise) {
    UErrorCode status = U_ZERO_ERROR;
    UResourceBundle *zoneData = ures_open(U_ICUDATA_NAME U_TREE_SEPARATOR_STRING "zone", locale.getName(), &status);
    UResourceBundle *strings = ures_getByKey(zoneData, "zoneStrings", nullptr, &status);
    int32_t length = 0;
    const UChar *pattern = ures_getStringByKey(strings, key, &length, &status);
    icu::UnicodeString result = U_SUCCESS(status) ? icu::UnicodeString(pattern, length) : otherwise;
    ures_close(strings);
    ures_close(zoneData);
    return result;
}

// The place in a generic location name ("Nuuk" of "Nuuk Time"): the text
// that stands for {0} in the region format.
icu::UnicodeString PlaceOf(const icu::UnicodeString &locationName, const icu::UnicodeString &regionFormat) {
    const int32_t at = regionFormat.indexOf(u"{0}");
    if (at < 0) return locationName;
    const icu::UnicodeString before(regionFormat, 0, at), after(regionFormat, at + 3);
    if (!locationName.startsWith(before) || !locationName.endsWith(after) ||
        locationName.length() < before.length() + after.length())
        return locationName;
    return icu::UnicodeString(locationName, before.length(), locationName.length() - before.length() - after.length());
}

icu::UnicodeString NameOf(const icu::TimeZoneNames &names, const icu::UnicodeString &zone, UTimeZoneNameType type,
                          UDate date) {
    icu::UnicodeString name;
    names.getDisplayName(zone, type, date, name);
    return name;
}

const icu::UnicodeString &FirstOf(std::initializer_list<const icu::UnicodeString *> candidates) {
    for (const icu::UnicodeString *c : candidates)
        if (!c->isEmpty()) return *c;
    return **(candidates.end() - 1);
}
}  // namespace

bool IcuAgrees(const std::string &zone, const NamingMoment &moment) {
    std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(ToIcu(zone)));
    UErrorCode status = U_ZERO_ERROR;
    int32_t rawOffset = 0, daylightOffset = 0;
    tz->getOffset(static_cast<UDate>(moment.instant) * 1000.0, false, rawOffset, daylightOffset, status);
    return U_SUCCESS(status) && rawOffset == moment.standardUtcOffset * 1000;
}

ZoneNamer::ZoneNamer(const icu::Locale &locale)
    : locale_(locale),
      fallbackPattern_(ZonePattern(locale, "fallbackFormat", u"{1} ({0})")),
      regionFormat_(ZonePattern(locale, "regionFormat", u"{0}")),
      regionStandard_(ZonePattern(locale, "regionFormatStandard", u"{0}")),
      regionDaylight_(ZonePattern(locale, "regionFormatDaylight", u"{0}")) {
    UErrorCode status = U_ZERO_ERROR;
    names_.reset(icu::TimeZoneNames::createInstance(locale, status));
    format_.reset(U_SUCCESS(status) ? icu::TimeZoneFormat::createInstance(locale, status) : nullptr);
    if (U_FAILURE(status)) names_.reset();
}

icu::UnicodeString ZoneNamer::Pattern(const icu::UnicodeString &name, const icu::UnicodeString &place) const {
    icu::UnicodeString text = fallbackPattern_;
    text.findAndReplace(u"{1}", name);
    text.findAndReplace(u"{0}", place);
    return text;
}

bool ZoneNamer::Mentions(const icu::UnicodeString &name, const icu::UnicodeString &city) const {
    icu::UnicodeString foldedName(name), foldedCity(city);
    foldedName.toLower(locale_);
    foldedCity.toLower(locale_);
    return foldedName.indexOf(foldedCity) >= 0;
}

ZoneDescription ZoneNamer::Describe(std::uint16_t id, const std::string &zone, const NamingMoment &moment,
                                    std::vector<std::string> *cuts) const {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString canonical;
    icu::TimeZone::getCanonicalID(ToIcu(zone), canonical, status);
    if (U_FAILURE(status) || canonical.isEmpty()) canonical = ToIcu(zone);
    const UDate date = static_cast<UDate>(moment.instant) * 1000.0;

    const bool metazoneFits = IcuAgrees(zone, moment);
    const icu::UnicodeString none;
    const icu::UnicodeString generic = metazoneFits ? NameOf(*names_, canonical, UTZNM_LONG_GENERIC, date) : none;
    const icu::UnicodeString standard = metazoneFits ? NameOf(*names_, canonical, UTZNM_LONG_STANDARD, date) : none;
    const icu::UnicodeString daylight = metazoneFits ? NameOf(*names_, canonical, UTZNM_LONG_DAYLIGHT, date) : none;
    icu::UnicodeString city, location;
    names_->getExemplarLocationName(canonical, city);
    std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(canonical));
    format_->format(UTZFMT_STYLE_GENERIC_LOCATION, *tz, date, location);

    // CLDR's location formats for the specific times: "Nuuk Standard Time",
    // "Nuuk Daylight Time"; a zone without daylight time keeps "Nuuk Time".
    icu::UnicodeString standardLocation = location, daylightLocation = location;
    if (moment.hasDaylight) {
        const icu::UnicodeString place = PlaceOf(location, regionFormat_);
        standardLocation = regionStandard_;
        standardLocation.findAndReplace(u"{0}", place);
        daylightLocation = regionDaylight_;
        daylightLocation.findAndReplace(u"{0}", place);
    }
    const icu::UnicodeString &shortName = FirstOf({&generic, &standard, &location});
    const bool cityNamed = city.isEmpty() || Mentions(shortName, city);

    ZoneDescription d;
    d.id = id;
    d.listName = FromIcu(cityNamed ? shortName : Pattern(shortName, city));
    d.shortName = FromIcu(shortName);
    const icu::UnicodeString &standardName = FirstOf({&standard, &standardLocation});
    d.standardName = FromIcu(standardName);
    d.daylightName = FromIcu(FirstOf({&daylight, moment.hasDaylight ? &daylightLocation : &standardName}));
    for (std::string &cut : FitDescription(&d)) cuts->push_back("zone " + std::to_string(id) + " " + cut);
    return d;
}

}  // namespace kelvane::builder
