// The committed identifier table (numbers given once, never reused, never
// changed) and the default zone of each offset.
#include <gtest/gtest.h>

#include "files/data_set_notes.h"
#include "zones/city_placement.h"
#include "zones/default_zones.h"
#include "zones/zone_id_table.h"
#include "zones/zone_locations.h"

namespace kelvane::builder {
namespace {

ZoneIdTable Parsed(const std::string &text) {
    std::string problem;
    auto table = ZoneIdTable::Parse(text, &problem);
    EXPECT_TRUE(table) << problem;
    return table ? *table : ZoneIdTable();
}

TEST(ZoneIdTable, KeepsEveryNumberAndNumbersNewZonesAfterTheHighest) {
    ZoneIdTable table = Parsed("# header\n1\tUTC\n7\tTokyo Standard Time\n3\tRetired Standard Time\n");
    const auto added = table.Assign({"Tokyo Standard Time", "New Standard Time", "UTC", "Other Standard Time"});
    EXPECT_EQ(added, (std::vector<std::string>{"New Standard Time", "Other Standard Time"}));
    // Retired keeps 3 though not asked for; New gets 8, not the free 2.
    std::vector<int> ids;
    for (const char *zone : {"UTC", "Tokyo Standard Time", "Retired Standard Time", "New Standard Time",
                             "Other Standard Time", "Unknown"})
        ids.push_back(table.IdOf(zone));
    EXPECT_EQ(ids, (std::vector<int>{1, 7, 3, 8, 9, 0}));
    ZoneIdTable empty = Parsed(""), full = Parsed("9999\tLast\n");
    empty.Assign({"Z", "A"});
    EXPECT_EQ(empty.IdOf("A"), 2);
    EXPECT_TRUE(full.Assign({"More"}).empty());  // the system range is used up
    EXPECT_EQ(full.IdOf("More"), 0);
}

TEST(ZoneIdTable, WritesRowsByNumberWithTheirSourcesAndReadsThemBackUnchanged) {
    ZoneIdTable table = Parsed("9\tB\r\n2\tA\tEtc/UTC\n");
    table.SetSource("B", "Asia/Tokyo");
    table.SetSource("Unnumbered", "Etc/GMT");  // no number, no row
    EXPECT_EQ(table.SourceOf("A"), "Etc/UTC");
    const std::string text = table.Text();
    EXPECT_EQ(text.substr(text.find("\n2\t")), "\n2\tA\tEtc/UTC\n9\tB\tAsia/Tokyo\n");
    EXPECT_EQ(text.rfind('#', 0), 0u);  // the comment header first
    EXPECT_EQ(Parsed(text).Text(), text);
}

TEST(ZoneIdTable, RefusesMalformedTables) {
    for (const char *text : {"1 UTC\n", "x\tUTC\n", "0\tUTC\n", "10000\tUser\n", "1\t\n", "1\tA\n1\tB\n",
                             "1\tA\n2\tA\n", "-1\tA\n", "\tA\n", "1\tA\tB\tC\n"}) {
        std::string problem;
        EXPECT_FALSE(ZoneIdTable::Parse(text, &problem)) << text;
        EXPECT_FALSE(problem.empty()) << text;
    }
}

TEST(AssignDefaultZones, PicksTheZoneWithTheMostPlacesPerOffset) {
    std::vector<CatalogueZone> zones = {{1, 1, {300}}, {2, 1, {300}}, {3, 1, {300}}, {4, 1, {-480}},
                                        {5, 1, {0}},   {6, 1, {0}},   {7, 1, {-345}}};
    AssignDefaultZones(&zones, {{1, 1}, {2, 14}, {3, 14}, {4, 3}, {5, 2}, {6, 2}});  // 7 has no places
    std::vector<std::pair<int, int>> contactsAndTypes;
    for (const CatalogueZone &z : zones) contactsAndTypes.emplace_back(z.contact, z.type);
    // Ties go to the lower identifier; the default zone is Type 0.
    const std::vector<std::pair<int, int>> expected = {{2, 1}, {2, 0}, {2, 1}, {4, 0}, {5, 0}, {5, 1}, {7, 0}};
    EXPECT_EQ(contactsAndTypes, expected);
}

// A place stays under CLDR's zone when it keeps the place's time all year,
// else moves to the fitting zone with the most places; none fits: nullopt.
TEST(PlaceUnder, KeepsCldrsZoneOnlyWhenItKeepsThePlacesTime) {
    const YearSignature utc{0, {}}, plus6{21600, {}}, cet{3600, {{100, 7200}, {200, 3600}}};
    const std::vector<PlacementZone> zones = {{plus6, 1}, {utc, 5}, {plus6, 4}, {plus6, 4}, {cet, 9}};
    const YearSignature cetLater{3600, {{100, 7200}, {300, 3600}}};
    const std::tuple<YearSignature, std::size_t, std::optional<std::size_t>> cases[] = {
        {plus6, 0, 0}, {plus6, 1, 2}, {plus6, 4, 2}, {cet, 1, 4}, {{3600, {}}, 4, std::nullopt}, {cetLater, 4, std::nullopt}};
    for (const auto &[place, cldrZone, expected] : cases)
        EXPECT_EQ(PlaceUnder(place, cldrZone, zones), expected) << place.utcOffsetAtStart << " " << cldrZone;
}

// zone1970.tab first, zone.tab where it merges a country's zone, the newer
// name of a renamed zone; degrees/100 or pixels of an equirectangular map.
TEST(ZoneLocations, FindsEachZonesPlaceAndMapsIt) {
    const auto locations = ZoneLocations::Parse(
        "# comment\nCI,BF,IS\t+0519-00402\tAfrica/Abidjan\nGL\t+6411-05144\tAmerica/Nuuk\n"
        "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales\n",
        "IS\t+6409-02151\tAtlantic/Reykjavik\nAU\t-335200+1511300\tAustralia/Sydney\n",
        "L Africa/Abidjan Atlantic/Reykjavik\nL America/Nuuk America/Godthab\n");
    const std::pair<const char *, std::optional<GeoPoint>> cases[] = {
        {"Africa/Abidjan", GeoPoint{532, -403}}, {"Atlantic/Reykjavik", GeoPoint{6415, -2185}},
        {"America/Godthab", GeoPoint{6418, -5173}}, {"Australia/Sydney", GeoPoint{-3387, 15122}}, {"Etc/GMT+5", std::nullopt}};
    for (const auto &[zone, expected] : cases) EXPECT_EQ(locations.Of(zone), expected) << zone;
    EXPECT_EQ(ParseIso6709("+482052+0163000"), (GeoPoint{4835, 1650}));
    for (const char *bad : {"", "+48", "4820+01630", "+4820+0163", "+48x0+01630"}) EXPECT_EQ(ParseIso6709(bad), std::nullopt) << bad;
    EXPECT_EQ(OffsetBandMiddle(-300), (GeoPoint{0, -7500}));
    EXPECT_EQ(OffsetBandMiddle(13 * 60), (GeoPoint{0, -16500}));  // west of the date line
    const MapSize map{1000, 500};
    EXPECT_EQ(CatalogueXY({-3387, 15122}, {}), std::pair(15122, -3387));
    EXPECT_EQ(CatalogueXY({0, 0}, map), std::pair(500, 250));
    EXPECT_EQ(CatalogueXY({9000, -18000}, map), std::pair(0, 0));
    EXPECT_EQ(CatalogueXY({-9000, 18000}, map), std::pair(999, 499));  // the far edges stay on the map
    EXPECT_EQ(CoordinatesNote(map), "pixels 1000x500");
    EXPECT_EQ(CoordinatesNote({}), "degrees/100");
}

TEST(DataSetNotes, ListYearRangesAndReplaceOnlyTheBuildersSection) {
    const DataSetFacts facts{2026, "2026f", "42.0", "72.1"};
    const std::string section = YearlyZonesSection(
        facts, {{57, "Egypt Standard Time", "Africa/Cairo", {2026, 2027, 2028, 2031, 2033, 2034}}, {20, "Cuba", "X", {}}},
        2036);
    EXPECT_NE(section.find("| 57 | Egypt Standard Time | Africa/Cairo | 2026-2028, 2031, 2033-2034 |\n"),
              std::string::npos);
    EXPECT_NE(section.find("| 20 | Cuba | X | none |\n"), std::string::npos);
    const std::string readme = std::string("before\n") + kSectionStart + "\nold\n" + kSectionEnd + "\nafter\n";
    EXPECT_EQ(ReplaceGeneratedSection(readme, "NEW"), "before\nNEW\nafter\n");
    EXPECT_EQ(ReplaceGeneratedSection("no markers", "NEW"), std::nullopt);
    EXPECT_EQ(DataSetRecordText(facts).substr(DataSetRecordText(facts).find("\nyear = ") + 1),
              "year = 2026\ntzdata = 2026f\ncldr = 42.0\nicu = 72.1\ncoordinates = degrees/100\n");
    // The second section is found after its own marker, the first left alone.
    const std::string both = readme + kApproximationsStart + "\nold\n" + kSectionEnd + "\n";
    const std::string approximations =
        ApproximationsSection(facts, {{86, "Chatham Islands Standard Time", "Pacific/Chatham", {"rounded", "cut"}}},
                              {{"Pacific/Chatham", 86, "Chatham Islands Standard Time"}});
    EXPECT_NE(approximations.find("| 86 | Chatham Islands Standard Time | Pacific/Chatham | rounded; cut |\n"),
              std::string::npos);
    EXPECT_NE(approximations.find("- Pacific/Chatham, under zone 86 (Chatham Islands Standard Time)\n"), std::string::npos);
    EXPECT_EQ(ReplaceGeneratedSection(both, approximations, kApproximationsStart), readme + approximations + "\n");
}

}  // namespace
}  // namespace kelvane::builder
