// A zone's four names in one language, from CLDR through ICU.
//
// The short name (Desc2) is the zone's metazone name ("Pacific Time"),
// else its standard name ("Greenwich Mean Time"), else its location name
// ("Barnaul Time", "GMT+12:00"). The list name (Desc1) adds the zone's
// exemplar city in the language's own pattern ("Pacific Time (Los
// Angeles)", "北美太平洋时间（洛杉矶）"), unless the name already holds it
// in any case ("О-в Пасхи"), so zones that share a metazone stay apart.
// The standard and daylight names (Desc3, Desc4) are CLDR's; where CLDR has
// none, CLDR's location formats stand for them ("Nuuk Standard Time", "Nuuk
// Daylight Time"; "Nuuk Time" in a zone without daylight time).
//
// ICU's own copy of the tz database may be older than the system's; where
// it gives the zone another standard offset than the rule being written
// (Chihuahua left Mexican Pacific Time for Central Time in 2022), its
// metazone names would be wrong for the zone, and the location name and
// GMT offsets stand for them.
#pragma once

#include <unicode/locid.h>
#include <unicode/tzfmt.h>
#include <unicode/tznames.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/catalogue_model.h"

namespace kelvane::builder {

// What the names depend on besides the zone: a moment of the year (the
// metazone in use then) and the zone's daylight time, if any.
struct NamingMoment {
    std::int64_t instant = 0;  // seconds since 1970
    std::int32_t standardUtcOffset = 0;  // seconds east of UTC
    bool hasDaylight = false;
    std::int32_t daylightUtcOffset = 0;
};

// Whether ICU gives the zone the same standard offset at the moment.
bool IcuAgrees(const std::string &zone, const NamingMoment &moment);

class ZoneNamer {
public:
    explicit ZoneNamer(const icu::Locale &locale);
    bool Ready() const { return names_ != nullptr && format_ != nullptr; }

    // Names cut to fit their fields and, together, one line of the
    // description file; each name that had to be cut is added to *cuts.
    ZoneDescription Describe(std::uint16_t id, const std::string &zone, const NamingMoment &moment,
                             std::vector<std::string> *cuts) const;

private:
    icu::UnicodeString Pattern(const icu::UnicodeString &name, const icu::UnicodeString &place) const;
    // Whether name holds city, compared case-insensitively in the locale's own way.
    bool Mentions(const icu::UnicodeString &name, const icu::UnicodeString &city) const;

    icu::Locale locale_;
    std::unique_ptr<icu::TimeZoneNames> names_;
    std::unique_ptr<icu::TimeZoneFormat> format_;
    icu::UnicodeString fallbackPattern_;  // "{1} ({0})": name, then place
    icu::UnicodeString regionFormat_, regionStandard_, regionDaylight_;  // "{0} Time" and the like
};

}  // namespace kelvane::builder
