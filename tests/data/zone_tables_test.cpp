// The committed identifier table (numbers given once, never reused, never
// changed) and the default zone of each offset.
#include <gtest/gtest.h>

#include "zones/default_zones.h"
#include "zones/zone_id_table.h"

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

}  // namespace
}  // namespace kelvane::builder
