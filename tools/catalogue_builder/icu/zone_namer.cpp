#include "icu/zone_namer.h"

#include <unicode/timezone.h>
#include <unicode/udata.h>
#include <unicode/ures.h>

#include "files/writers.h"
#include "icu/icu_text.h"

namespace kelvane::builder {
namespace {
// CLDR's pattern for "a zone name with a place", e.g. "{1} ({0})".
icu::UnicodeString FallbackPattern(const icu::Locale &locale) {
    UErrorCode status = U_ZERO_ERROR;
    UResourceBundle *zoneData = ures_open(U_ICUDATA_NAME U_TREE_SEPARATOR_STRING "zone", locale.getName(), &status);
    UResourceBundle *strings = ures_getByKey(zoneData, "zoneStrings", nullptr, &status);
    int32_t length = 0;
    const UChar *pattern = ures_getStringByKey(strings, "fallbackFormat", &length, &status);
    icu::UnicodeString result = U_SUCCESS(status) ? icu::UnicodeString(pattern, length) : u"{1} ({0})";
    ures_close(strings);
    ures_close(zoneData);
    return result;
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

ZoneNamer::ZoneNamer(const icu::Locale &locale) : fallbackPattern_(FallbackPattern(locale)) {
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

ZoneDescription ZoneNamer::Describe(std::uint16_t id, const std::string &zone, const NamingMoment &moment) const {
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
    icu::UnicodeString city, location, daylightOffset;
    names_->getExemplarLocationName(canonical, city);
    std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createTimeZone(canonical));
    format_->format(UTZFMT_STYLE_GENERIC_LOCATION, *tz, date, location);
    format_->formatOffsetLocalizedGMT(moment.daylightUtcOffset * 1000, daylightOffset, status);

    const icu::UnicodeString &shortName = FirstOf({&generic, &standard, &location});
    const bool cityNamed = city.isEmpty() || shortName.indexOf(city) >= 0;
    const icu::UnicodeString daylightFallback =
        moment.hasDaylight ? Pattern(location, daylightOffset) : FirstOf({&standard, &location});

    ZoneDescription d;
    d.id = id;
    d.listName = FromIcu(cityNamed ? shortName : Pattern(shortName, city));
    d.shortName = FromIcu(shortName);
    d.standardName = FromIcu(FirstOf({&standard, &location}));
    d.daylightName = FromIcu(FirstOf({&daylight, &daylightFallback}));
    FitDescription(&d);
    return d;
}

}  // namespace kelvane::builder
