// The committed identifier table: numbers given once, never reused, never changed.
#include "zones/zone_id_table.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(table.IdOf("UTC"), 1);
    EXPECT_EQ(table.IdOf("Tokyo Standard Time"), 7);
    EXPECT_EQ(table.IdOf("Retired Standard Time"), 3);  // kept though not asked for
    EXPECT_EQ(table.IdOf("New Standard Time"), 8);      // not the free 2: numbers are never reused
    EXPECT_EQ(table.IdOf("Other Standard Time"), 9);
    EXPECT_EQ(table.IdOf("Unknown"), 0);
}

TEST(ZoneIdTable, WritesRowsByNumberAndReadsThemBackUnchanged) {
    ZoneIdTable table = Parsed("9\tB\r\n2\tA\n");
    const std::string text = table.Text();
    EXPECT_NE(text.find("2\tA\n9\tB\n"), std::string::npos);
    EXPECT_EQ(text.rfind('#', 0), 0u);  // the comment header first
    EXPECT_EQ(Parsed(text).Text(), text);
}

TEST(ZoneIdTable, KeepsTheSourceOfEachZoneBesideItsNumber) {
    ZoneIdTable table = Parsed("1\tUTC\tEtc/UTC\n2\tTokyo Standard Time\n");
    EXPECT_EQ(table.SourceOf("UTC"), "Etc/UTC");
    EXPECT_EQ(table.SourceOf("Tokyo Standard Time"), "");
    table.SetSource("Tokyo Standard Time", "Asia/Tokyo");
    table.SetSource("Unnumbered", "Etc/GMT");  // no number, no row
    EXPECT_NE(table.Text().find("1\tUTC\tEtc/UTC\n2\tTokyo Standard Time\tAsia/Tokyo\n"), std::string::npos);
    EXPECT_EQ(table.Text().find("Unnumbered"), std::string::npos);
    EXPECT_EQ(Parsed(table.Text()).Text(), table.Text());
}

TEST(ZoneIdTable, StartsAtOneWhenEmpty) {
    ZoneIdTable table = Parsed("");
    table.Assign({"Z", "A"});
    EXPECT_EQ(table.IdOf("Z"), 1);
    EXPECT_EQ(table.IdOf("A"), 2);
}

TEST(ZoneIdTable, RefusesMalformedTables) {
    for (const char *text : {"1 UTC\n", "x\tUTC\n", "0\tUTC\n", "10000\tUser\n", "1\t\n", "1\tA\n1\tB\n",
                             "1\tA\n2\tA\n", "-1\tA\n", "\tA\n", "1\tA\tB\tC\n"}) {
        std::string problem;
        EXPECT_FALSE(ZoneIdTable::Parse(text, &problem)) << text;
        EXPECT_FALSE(problem.empty()) << text;
    }
}

TEST(ZoneIdTable, GivesNoNumberOnceTheSystemRangeIsUsedUp) {
    ZoneIdTable table = Parsed("9999\tLast\n");
    EXPECT_TRUE(table.Assign({"More"}).empty());
    EXPECT_EQ(table.IdOf("More"), 0);
}

}  // namespace
}  // namespace kelvane::builder
