#include "icu/catalogue_assembly.h"

#include <unicode/ulocdata.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "icu/languages.h"
#include "icu/place_namer.h"
#include "icu/windows_zones.h"
#include "icu/zone_namer.h"
#include "rules/civil_time.h"
#include "rules/year_fit.h"
#include "rules/year_rule.h"
#include "rules/zoneinfo.h"
#include "zones/city_placement.h"
#include "zones/default_zones.h"

namespace kelvane::builder {
namespace {
struct Candidate {
    WindowsZone windows;
    YearRule rule;
    ZoneTimeline timeline;
    std::uint16_t id = 0;
};

// Why the stored rule is not the zone's own, for the README's table: the
// rule's own reasons, and a daylight state the tz database names otherwise.
std::vector<std::string> Differences(const Candidate &c, std::int64_t year) {
    std::vector<std::string> why = c.rule.approximations;
    if (DaylightStateDiffers(c.timeline, c.rule.rule, year))
        why.push_back("the daylight state differs from the tz database's where the offsets agree (the tz database "
                      "counts an offset as daylight time that the catalogue holds as standard time)");
    return why;
}

std::optional<std::vector<Candidate>> ReadRules(const BuildRequest &request, BuildReport *report,
                                                std::string *problem) {
    const std::vector<WindowsZone> zones = ListWindowsZones(problem);
    if (zones.empty()) return std::nullopt;
    std::vector<Candidate> candidates;
    for (const WindowsZone &zone : zones) {
        const auto timeline = ReadZoneTimeline(request.zoneinfo, zone.representative, problem);
        if (!timeline) return std::nullopt;
        const YearRule rule = RuleForYear(*timeline, request.year);
        candidates.push_back({zone, rule, *timeline, 0});
        for (const std::string &why : Differences(candidates.back(), request.year))
            report->approximations.push_back(zone.windowsId + " (" + zone.representative + "): " + why);
    }
    return candidates;
}

// New zones are numbered from west to east, then by name.
void Number(std::vector<Candidate> *candidates, ZoneIdTable *ids, BuildReport *report) {
    std::vector<const Candidate *> order;
    for (const Candidate &c : *candidates) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const Candidate *a, const Candidate *b) {
        return a->rule.rule.bias > b->rule.rule.bias;
    });
    std::vector<std::string> names;
    for (const Candidate *c : order) names.push_back(c->windows.windowsId);
    for (const std::string &added : ids->Assign(names))
        report->notes.push_back("new identifier " + std::to_string(ids->IdOf(added)) + " for " + added);
    for (Candidate &c : *candidates) {
        c.id = ids->IdOf(c.windows.windowsId);
        ids->SetSource(c.windows.windowsId, c.windows.representative);
    }
    candidates->erase(std::remove_if(candidates->begin(), candidates->end(),
                                     [&](const Candidate &c) {
                                         if (c.id != 0) return false;
                                         report->notes.push_back("no identifier left for " + c.windows.windowsId);
                                         return true;
                                     }),
                      candidates->end());
    std::sort(candidates->begin(), candidates->end(), [](const Candidate &a, const Candidate &b) { return a.id < b.id; });
    if (candidates->size() > TZ_MAX_SYSTEM_ZONES) {
        for (auto it = candidates->begin() + TZ_MAX_SYSTEM_ZONES; it != candidates->end(); ++it)
            report->notes.push_back("left out (more than 150 zones): " + it->windows.windowsId);
        candidates->resize(TZ_MAX_SYSTEM_ZONES);
    }
}

std::string RegionOf(const std::string &zone) { return zone.substr(0, zone.find('/')); }

std::vector<GroupEntry> Groups(const std::vector<Candidate> &candidates) {
    std::set<std::pair<std::string, std::uint16_t>> entries;
    for (const Candidate &c : candidates) {
        entries.emplace(RegionOf(c.windows.representative), c.id);
        for (const std::string &place : c.windows.places) entries.emplace(RegionOf(place), c.id);
    }
    std::vector<GroupEntry> groups;
    for (const auto &[region, id] : entries) groups.push_back({id, FromUtf8(region)});
    return groups;
}

// The city table, and where each of its places lies.
std::vector<CityEntry> Cities(const std::vector<Candidate> &candidates, const PlaceNamer &namer,
                              const ZoneLocations &locations, BuildReport *report) {
    std::vector<std::pair<CityEntry, PlaceLocation>> rows;
    for (const Candidate &c : candidates)
        for (const std::string &place : c.windows.places) {
            auto entry = namer.Describe(c.id, place, &report->cuts);
            if (!entry) continue;
            const auto point = locations.Of(place);
            if (!point) report->notes.push_back(place + ": not in zone1970.tab or zone.tab; no location");
            rows.emplace_back(std::move(*entry), PlaceLocation{c.id, place, point.value_or(GeoPoint{})});
        }
    std::stable_sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return a.first.id != b.first.id ? a.first.id < b.first.id : ToUtf8(a.first.city) < ToUtf8(b.first.city);
    });
    std::vector<CityEntry> cities;
    for (auto &[city, location] : rows) {
        cities.push_back(std::move(city));
        report->places.push_back(std::move(location));
    }
    return cities;
}

// Where the zone's representative place lies; a zone with no place (Etc/GMT+5)
// lies in the middle of its offset's band.
GeoPoint ZoneLocation(const Candidate &c, const ZoneLocations &locations) {
    if (const auto point = locations.Of(c.windows.representative)) return *point;
    return OffsetBandMiddle(-c.rule.rule.bias);
}

// Each place under the zone whose stored rule keeps its time in the data's
// year; a zone whose rule is an approximation may fit none of its own places.
void PlaceCities(std::vector<Candidate> *candidates, const BuildRequest &request, BuildReport *report) {
    std::vector<PlacementZone> zones;
    for (const Candidate &c : *candidates)
        zones.push_back({SignatureOfRule(c.rule.rule, request.year), c.windows.places.size()});
    std::vector<std::vector<std::string>> placed(candidates->size());
    for (std::size_t from = 0; from < candidates->size(); ++from) {
        const Candidate &c = (*candidates)[from];
        for (const std::string &place : c.windows.places) {
            std::string problem;
            const auto timeline = ReadZoneTimeline(request.zoneinfo, place, &problem);
            const auto to = timeline ? PlaceUnder(SignatureOfYear(*timeline, request.year), from, zones) : std::nullopt;
            if (!to) {
                report->unplaced.push_back(place + " (under " + c.windows.windowsId + "): " +
                                           (timeline ? "no zone keeps its time in " + std::to_string(request.year)
                                                     : problem));
                report->unfitPlaces.push_back({place, c.id, c.windows.windowsId});
            }
            else if (*to != from)
                report->notes.push_back(place + " filed under " + (*candidates)[*to].windows.windowsId +
                                        ", not under " + c.windows.windowsId + " as CLDR has it");
            placed[to.value_or(from)].push_back(place);
        }
    }
    for (std::size_t i = 0; i < candidates->size(); ++i) {
        std::sort(placed[i].begin(), placed[i].end());
        (*candidates)[i].windows.places = std::move(placed[i]);
    }
}

// The zones whose rule of the data's year is not right in every year after it.
std::vector<YearlyZone> YearlyZones(const std::vector<Candidate> &candidates, std::int64_t year) {
    std::vector<YearlyZone> zones;
    for (const Candidate &c : candidates) {
        auto years = YearsWithTheSameRule(c.timeline, year, year + kYearsJudged);
        if (years.size() != static_cast<std::size_t>(kYearsJudged + 1))
            zones.push_back({c.id, c.windows.windowsId, c.windows.representative, std::move(years)});
    }
    return zones;
}

// The CLDR and ICU versions the names come from.
DataSetFacts NamesVersions(std::int64_t year, std::string tzdata) {
    UErrorCode status = U_ZERO_ERROR;
    UVersionInfo cldr;
    ulocdata_getCLDRVersion(cldr, &status);
    char version[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(cldr, version);
    return {year, std::move(tzdata), U_SUCCESS(status) ? version : "unknown", U_ICU_VERSION};
}

NamingMoment MomentOf(const Candidate &c, std::int64_t year) {
    const CatalogueRule &r = c.rule.rule;
    return {SecondsFromCivil(year, 7, 1, 12 * 3600), -60 * r.bias, r.HasDaylight(), -60 * (r.bias + r.daylightBias)};
}
}  // namespace

std::optional<DataDirectory> AssembleCatalogue(const BuildRequest &request, ZoneIdTable *ids, BuildReport *report,
                                               std::string *problem) {
    auto candidates = ReadRules(request, report, problem);
    std::vector<LanguageChoice> languages = candidates ? ChooseLanguages(problem) : std::vector<LanguageChoice>{};
    if (!candidates || languages.empty()) return std::nullopt;
    Number(&*candidates, ids, report);
    PlaceCities(&*candidates, request, report);
    report->yearlyZones = YearlyZones(*candidates, request.year);
    report->dataSet = NamesVersions(request.year, TzdataVersion(request.zoneinfo));
    report->dataSet.coordinates = CoordinatesNote(request.map);
    for (const Candidate &c : *candidates) {
        report->sources.push_back(c.windows.representative);
        if (auto why = Differences(c, request.year); !why.empty())
            report->approximatedZones.push_back({c.id, c.windows.windowsId, c.windows.representative, std::move(why)});
    }
    const ZoneLocations locations = ZoneLocations::Read(request.zoneinfo);
    if (locations.Empty()) {
        *problem = (request.zoneinfo / "zone1970.tab").string() + ": missing or empty";
        return std::nullopt;
    }

    std::vector<ZoneNamer> namers;
    for (const LanguageChoice &l : languages) namers.emplace_back(l.locale);
    const PlaceNamer places;
    if (!places.Ready() || std::any_of(namers.begin(), namers.end(), [](const ZoneNamer &n) { return !n.Ready(); })) {
        *problem = "ICU cannot give zone names";
        return std::nullopt;
    }

    DataDirectory data;
    const DataSetFacts &facts = report->dataSet;
    data.sources = RulesNote(facts.year, facts.tzdata, "CLDR " + facts.cldr + " through ICU " + facts.icu);
    std::map<std::uint16_t, std::size_t> cityCounts;
    for (const Candidate &c : *candidates) {
        const NamingMoment moment = MomentOf(c, request.year);
        if (!IcuAgrees(c.windows.representative, moment))
            report->notes.push_back(c.windows.windowsId + " (" + c.windows.representative +
                                    "): ICU gives another offset than the tz database; named by location");
        for (std::size_t i = 0; i < languages.size(); ++i) {
            std::vector<std::string> cuts;
            languages[i].language.descriptions.push_back(namers[i].Describe(c.id, c.windows.representative, moment, &cuts));
            for (const std::string &cut : cuts) report->cuts.push_back(ToUtf8(languages[i].language.fileName) + ": " + cut);
        }
        CatalogueZone zone;
        zone.id = c.id;
        zone.rule = c.rule.rule;
        std::tie(zone.x, zone.y) = CatalogueXY(ZoneLocation(c, locations), request.map);
        zone.detail = languages.front().language.descriptions.back().listName;
        data.zones.push_back(std::move(zone));
        cityCounts[c.id] = c.windows.places.size();
        if (c.windows.windowsId == kDefaultWindowsZone) data.defaultZone = c.id;
    }
    for (const char *favourite : kFavouriteWindowsZones) {
        for (const Candidate &c : *candidates) {
            if (c.windows.windowsId == favourite) data.favourites.push_back(c.id);
        }
    }
    AssignDefaultZones(&data.zones, cityCounts);
    for (LanguageChoice &l : languages) data.languages.push_back(std::move(l.language));
    data.groups = Groups(*candidates);
    data.cities = Cities(*candidates, places, locations, report);
    data.interfaceLanguage = kEnglish;
    return data;
}

}  // namespace kelvane::builder
