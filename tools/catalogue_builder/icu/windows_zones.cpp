#include "icu/windows_zones.h"

#include <unicode/strenum.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <map>
#include <memory>

#include "icu/icu_text.h"

namespace kelvane::builder {
namespace {
using ZonesByWindowsZone = std::map<std::string, std::vector<std::string>>;

// The zones of the enumeration under their Windows zone, for those that have one.
ZonesByWindowsZone ByWindowsZone(icu::StringEnumeration &zones, UErrorCode *status) {
    ZonesByWindowsZone mapped;
    while (const icu::UnicodeString *id = zones.snext(*status)) {
        icu::UnicodeString windowsId;
        icu::TimeZone::getWindowsID(*id, windowsId, *status);
        if (U_FAILURE(*status)) break;
        if (!windowsId.isEmpty()) mapped[Utf8(windowsId)].push_back(Utf8(*id));
    }
    return mapped;
}
}  // namespace

std::vector<WindowsZone> ListWindowsZones(std::string *problem) {
    UErrorCode status = U_ZERO_ERROR;
    ZonesByWindowsZone everyZone, places;
    std::unique_ptr<icu::StringEnumeration> all(icu::TimeZone::createEnumeration(status));
    if (U_SUCCESS(status)) everyZone = ByWindowsZone(*all, &status);
    std::unique_ptr<icu::StringEnumeration> locations;
    if (U_SUCCESS(status))
        locations.reset(icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_CANONICAL_LOCATION, nullptr,
                                                                   nullptr, status));
    if (U_SUCCESS(status)) places = ByWindowsZone(*locations, &status);

    std::vector<WindowsZone> zones;
    for (const auto &entry : everyZone) {
        if (U_FAILURE(status)) break;
        icu::UnicodeString representative;
        icu::TimeZone::getIDForWindowsID(ToIcu(entry.first), "001", representative, status);
        if (representative.isEmpty()) continue;
        WindowsZone zone{entry.first, Utf8(representative), places[entry.first]};
        std::sort(zone.places.begin(), zone.places.end());
        zones.push_back(std::move(zone));
    }
    if (U_FAILURE(status)) {
        *problem = std::string("ICU cannot list the Windows zones: ") + u_errorName(status);
        return {};
    }
    return zones;
}

}  // namespace kelvane::builder
