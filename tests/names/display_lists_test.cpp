#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "Kelvane.h"
#include "names/rooms.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane::test {
namespace {
using Ids = std::vector<uint16_t>;
using Texts = std::vector<Text>;

// The caller's arrays for both lists, of the stated rooms.
struct Lists {
    Ids ids = Ids(TZ_MAX_ZONES + 1, 0);
    Rooms names{TZ_MAX_ZONES + 1, 64}, labels{TZ_MAX_ZONES + 1, 11}, entries{TZ_MAX_ZONES + 1, 76};
    uint16_t count = 0;
    uint32_t allCount = 0;
    uint32_t Group(const TZChar *group, uint16_t selection) {
        return GetSelectTZInfo(&count, group, ids.data(), names.Pointers(), labels.Pointers(), selection);
    }
    uint32_t All(uint16_t selection) { return GetAllTZInfo(&allCount, ids.data(), entries.Pointers(), selection); }
    Ids Listed(std::size_t n) const { return Ids(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(n)); }
};

void WriteNames(const DataDir &dir, const Texts &names) {
    dir.WriteLines("Lang_Def.ini", {KT("1033 En.ini")});
    dir.WriteLines("En.ini", names);
}

// Zones 1 to 4 with offsets 0, 60, 0, 60 (A, B, C, D); 6 and 7 compatibility
// zones; 8 in both catalogue files; 9 without description; user zone 10000.
void WriteData(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {ZoneText({.id = 1, .offset = 0}), ZoneText({.id = 2, .offset = 60}),
                                  ZoneText({.id = 3, .offset = 0}), ZoneText({.id = 4, .offset = 60}),
                                  ZoneText({.id = 5, .offset = -480}), ZoneText({.id = 6, .offset = 45, .type = 0}),
                                  ZoneText({.id = 7, .offset = -765, .type = 0}), ZoneText({.id = 8, .offset = 300}),
                                  ZoneText({.id = 9, .offset = -60})});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .offset = -330, .type = 3, .detail = "My$zone"}),
                                      ZoneText({.id = 8, .offset = 120, .type = 3, .detail = "Eight$user"})});
    WriteNames(dir, {KT("1 Zone$A A2 s d"), KT("2 Zone$B B2 s d"), KT("3 Zone$C C2 s d"), KT("4 Zone$D D2 s d"),
                     KT("5 Beijing Peking s d"), KT("6 Six Six$old s d"), KT("7 Seven Seven$old s d"), KT("8 Eight Eight$old s d")});
    dir.WriteLines("TZ_Zone.ini", {KT(";TZID Group"), KT("1 Ties"), KT("2 Ties"), KT("3 Ties"), KT("4 Ties"), KT("6 Odd$ones"),
                                   KT("7 Odd$ones"), KT("8 Both"), KT("9 Missing"), KT("99 Missing"), KT("5 Missing"), KT("5 Missing"),
                                   KT("1 ties")});
}

TEST(GetSelectTZInfo, ListsAGroupWestToEastWithLabelsAndNames) {
    struct Case { const TZChar *group; uint16_t selection; Ids ids; Texts labels, names; };
    const Case cases[] = {
        {KT("Ties"), 1, {2, 4, 3, 1}, {KT("GMT-01:00 "), KT("GMT-01:00 "), KT("GMT"), KT("GMT")},
         {KT("Zone B"), KT("Zone D"), KT("Zone C"), KT("Zone A")}},
        {KT("Ties"), 0, {2, 4, 3, 1}, {KT("GMT-01:00 "), KT("GMT-01:00 "), KT("GMT"), KT("GMT")}, {KT("B2"), KT("D2"), KT("C2"), KT("A2")}},
        {KT("Odd ones"), 2, {6, 7}, {KT("GMT-00:45 "), KT("GMT+12:45 ")}, {KT("Six"), KT("Seven")}},
        {KT("Both"), 1, {8}, {KT("GMT-05:00 ")}, {KT("Eight")}},  // the TZ_Def.ini line wins
        // No catalogue record (99) or asked twice (5): left out; no description (9): empty name.
        {KT("Missing"), 1, {9, 5}, {KT("GMT+01:00 "), KT("GMT+08:00 ")}, {KT(""), KT("Beijing")}},
        {KT("TIES"), 1, {}, {}, {}},
        {KT("Ties"), 3, {}, {}, {}},
    };
    DataDir dir;
    WriteData(dir);
    for (const Case &c : cases) {
        Lists list;
        ASSERT_EQ(list.Group(c.group, c.selection), TZ_OK);
        EXPECT_EQ(list.Listed(list.count), c.ids) << c.ids.size();
        EXPECT_EQ(list.labels.First(list.count), c.labels) << c.ids.size();
        EXPECT_EQ(list.names.First(list.count), c.names) << c.ids.size();
        EXPECT_TRUE(list.labels.WrittenOnlyBefore(list.count) && list.names.WrittenOnlyBefore(list.count));
    }
}

TEST(GetAllTZInfo, ListsACatalogueSelectionAsLabelAndName) {
    struct Case { uint16_t selection; Ids ids; Texts entries; };
    const Case cases[] = {
        {0, {6, 7}, {KT("(GMT-00:45) Six old"), KT("(GMT+12:45) Seven old")}},
        // 8 is listed twice (both files); only its first slot gets a description.
        {1, {8, 8, 2, 4, 6, 1, 3, 9, 10000, 5, 7},
         {KT("(GMT-05:00) Eight"), KT("(GMT-02:00) "), KT("(GMT-01:00) Zone B"), KT("(GMT-01:00) Zone D"), KT("(GMT-00:45) Six"),
          KT("(GMT)Zone A"), KT("(GMT)Zone C"), KT("(GMT+01:00) "), KT("(GMT+05:30) My zone"), KT("(GMT+08:00) Beijing"),
          KT("(GMT+12:45) Seven")}},
        {3, {8, 10000}, {KT("(GMT-02:00) Eight"), KT("(GMT+05:30) My zone")}},
    };
    DataDir dir;
    WriteData(dir);
    for (const Case &c : cases) {
        Lists list;
        ASSERT_EQ(list.All(c.selection), TZ_OK) << c.selection;
        EXPECT_EQ(list.Listed(list.allCount), c.ids) << c.selection;
        EXPECT_EQ(list.entries.First(list.allCount), c.entries) << c.selection;
        EXPECT_TRUE(list.entries.WrittenOnlyBefore(list.allCount)) << c.selection;
    }
}

TEST(SelectionLists, ListTheFirst200ZonesAndKeepTheTextSizes) {
    DataDir dir;
    Texts catalogue, table;
    for (int id = 1; id <= 210; ++id) {
        catalogue.push_back(ZoneText({.id = id, .offset = id == 2 ? 6000 : id == 3 ? INT32_MIN : 60}));
        table.push_back(Widen(std::to_string(id) + " Big"));
    }
    dir.WriteLines("TZ_Def.ini", catalogue);
    dir.WriteLines("TZ_UserDef.ini", {});
    WriteNames(dir, {Text(KT("1 ")).append(63, KT('n')).append(KT(" x x x"))});
    dir.WriteLines("TZ_Zone.ini", table);
    Lists list;
    ASSERT_EQ(list.Group(KT("Big"), 1), TZ_OK);
    ASSERT_EQ(list.count, 200);
    EXPECT_EQ(list.Listed(4), (Ids{2, 1, 4, 5}));
    EXPECT_EQ(list.ids[199], 3) << "the far east comes last";
    const Texts labels = list.labels.First(200);
    EXPECT_EQ((Texts{labels[0], labels[1], labels[199]}), (Texts{KT("GMT-99:59 "), KT("GMT-01:00 "), KT("GMT+99:59 ")}));
    EXPECT_EQ(list.names.First(2)[1], Text(63, KT('n')));
    EXPECT_TRUE(list.labels.WrittenOnlyBefore(200) && list.names.WrittenOnlyBefore(200));
    ASSERT_EQ(list.All(1), TZ_OK);
    EXPECT_EQ(list.entries.First(2)[1], Text(KT("(GMT-01:00) ")).append(63, KT('n')));
    EXPECT_TRUE(list.entries.WrittenOnlyBefore(150));
}

TEST(SelectionLists, FailuresLeaveTheTextsAlone) {
    DataDir dir;
    WriteData(dir);
    Lists list;
    TZChar **labels = list.labels.Pointers();
    list.count = 5;
    EXPECT_EQ(GetSelectTZInfo(&list.count, nullptr, list.ids.data(), list.names.Pointers(), labels, 1), TZ_ERR_PARAM);
    EXPECT_EQ(list.count, 5) << "nothing is counted when an argument is refused";
    TZChar *const fourth = labels[3];
    labels[3] = nullptr;
    EXPECT_EQ(list.Group(KT("Ties"), 1), TZ_ERR_PARAM) << "an absent text buffer";
    labels[3] = fourth;
    dir.WriteDevice("ui_language = 0\n");
    EXPECT_EQ(list.All(1), TZ_ERR_NO_LANGUAGE);
    dir.WriteDevice("");
    dir.Remove("Lang_Def.ini");
    EXPECT_EQ(list.Group(KT("Ties"), 1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 4) << "the zones found";
    WriteData(dir);
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(list.All(0), TZ_ERR_FILE) << "the descriptions need the user file";
    EXPECT_EQ(list.allCount, 2u);
    EXPECT_TRUE(list.names.WrittenOnlyBefore(0) && list.labels.WrittenOnlyBefore(0) && list.entries.WrittenOnlyBefore(0));
}

// The order of ties, pinned: twelve zones on three offsets, listed as a
// group and as the catalogue, come out in exactly this unstable order.
TEST(SelectionLists, PinTheOrderOfEqualOffsets) {
    DataDir dir;
    const int32_t offsets[] = {0, 60, 0, -60, 60, 0, 60, -60, 0, 60, 0, -60};
    Texts lines, names, members;
    for (uint16_t id = 1; id <= 12; ++id) {
        lines.push_back(ZoneText({.id = id, .offset = offsets[id - 1]}));
        names.push_back(Widen(std::to_string(id) + " N" + std::to_string(id) + " x x x"));
        members.push_back(Widen(std::to_string(id) + " Ties"));
    }
    dir.WriteLines("TZ_Def.ini", lines);
    dir.WriteLines("TZ_UserDef.ini", {});
    dir.WriteLines("TZ_Zone.ini", members);
    WriteNames(dir, names);
    const Ids golden = {2, 5, 7, 10, 6, 3, 9, 1, 11, 8, 4, 12};
    Lists list;
    ASSERT_EQ(list.All(1), TZ_OK);
    EXPECT_EQ(list.Listed(list.allCount), golden);
    EXPECT_EQ(list.entries.First(1), Texts{KT("(GMT-01:00) N2")});
    ASSERT_EQ(list.Group(KT("Ties"), 1), TZ_OK);
    EXPECT_EQ(list.Listed(list.count), golden);
    EXPECT_EQ(list.names.First(2), (Texts{KT("N2"), KT("N5")}));
}

}  // namespace
}  // namespace kelvane::test
