#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <vector>

#include "Kelvane.h"
#include "names/zone_table.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
using test::Widen;
using test::ZoneText;
using Ids = std::vector<uint16_t>;

constexpr TZChar kUnwritten = u'#';

// Caller text buffers of the stated room, each followed by guard units.
template <std::size_t Room>
struct Texts {
    std::vector<std::array<TZChar, Room + 8>> rooms = std::vector<std::array<TZChar, Room + 8>>(TZ_MAX_ZONES + 1);
    std::vector<TZChar *> pointers;
    Texts() {
        for (auto &r : rooms) r.fill(kUnwritten), pointers.push_back(r.data());
    }
    std::vector<Text> First(std::size_t n) const {
        std::vector<Text> texts;
        for (std::size_t i = 0; i < n; ++i) texts.emplace_back(rooms[i].data());
        return texts;
    }
    // Nothing written past any room, and nothing at all from index `from` on.
    bool WrittenOnlyBefore(std::size_t from) const {
        for (std::size_t i = 0; i < rooms.size(); ++i) {
            const auto first = i < from ? rooms[i].begin() + Room : rooms[i].begin();
            if (!std::all_of(first, rooms[i].end(), [](TZChar c) { return c == kUnwritten; })) return false;
        }
        return true;
    }
};

struct GroupList {
    Ids ids = Ids(TZ_MAX_ZONES + 1, 0);
    Texts<64> names;
    Texts<11> labels;
    uint16_t count = 0;
    uint32_t Get(const TZChar *group, uint16_t selection) {
        return GetSelectTZInfo(&count, group, ids.data(), names.pointers.data(), labels.pointers.data(), selection);
    }
    Ids Listed() const { return Ids(ids.begin(), ids.begin() + count); }
};

struct CatalogueList {
    Ids ids = Ids(TZ_MAX_ZONES + 1, 0);
    Texts<76> entries;
    uint32_t count = 0;
    uint32_t Get(uint16_t selection) { return GetAllTZInfo(&count, ids.data(), entries.pointers.data(), selection); }
    Ids Listed() const { return Ids(ids.begin(), ids.begin() + count); }
};

void WriteNames(const DataDir &dir, const std::vector<Text> &names) {
    dir.WriteLines("Lang_Def.ini", {u"1033 En.ini"});
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
    WriteNames(dir, {u"1 Zone$A A2 s d", u"2 Zone$B B2 s d", u"3 Zone$C C2 s d", u"4 Zone$D D2 s d",
                     u"5 Beijing Peking s d", u"6 Six Six$old s d", u"7 Seven Seven$old s d", u"8 Eight Eight$old s d"});
    dir.WriteLines("TZ_Zone.ini", {u";TZID Group", u"1 Ties", u"2 Ties", u"3 Ties", u"4 Ties", u"6 Odd$ones",
                                   u"7 Odd$ones", u"8 Both", u"9 Missing", u"99 Missing", u"5 Missing", u"5 Missing",
                                   u"1 ties"});
}

TEST(GetSelectTZInfo, ListsAGroupWestToEastWithLabelsAndNames) {
    struct Case {
        const TZChar *group;
        uint16_t selection;
        Ids ids;
        std::vector<Text> labels, names;
    };
    const Case cases[] = {
        {u"Ties", 1, {2, 4, 3, 1}, {u"GMT-01:00 ", u"GMT-01:00 ", u"GMT", u"GMT"}, {u"Zone B", u"Zone D", u"Zone C", u"Zone A"}},
        {u"Ties", 0, {2, 4, 3, 1}, {u"GMT-01:00 ", u"GMT-01:00 ", u"GMT", u"GMT"}, {u"B2", u"D2", u"C2", u"A2"}},
        {u"Odd ones", 2, {6, 7}, {u"GMT-00:45 ", u"GMT+12:45 "}, {u"Six", u"Seven"}},
        {u"Both", 1, {8}, {u"GMT-05:00 "}, {u"Eight"}},  // the TZ_Def.ini line wins
        // No catalogue record (99) or asked twice (5): left out; no description (9): empty name.
        {u"Missing", 1, {9, 5}, {u"GMT+01:00 ", u"GMT+08:00 "}, {u"", u"Beijing"}},
        {u"ties", 1, {1}, {u"GMT"}, {u"Zone A"}},
        {u"TIES", 1, {}, {}, {}},
        {u"Ties", 3, {}, {}, {}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteData(dir);
        GroupList list;
        ASSERT_EQ(list.Get(c.group, c.selection), TZ_OK);
        EXPECT_EQ(list.Listed(), c.ids) << c.ids.size();
        EXPECT_EQ(list.labels.First(list.count), c.labels);
        EXPECT_EQ(list.names.First(list.count), c.names);
        EXPECT_TRUE(list.labels.WrittenOnlyBefore(list.count));
        EXPECT_TRUE(list.names.WrittenOnlyBefore(list.count));
    }
}

TEST(GetSelectTZInfo, ListsTheFirst200ZonesOfAGroupAndKeepsLabelSizes) {
    DataDir dir;
    std::vector<Text> catalogue, table;
    for (int id = 1; id <= 210; ++id) {
        catalogue.push_back(ZoneText({.id = id, .offset = id == 2 ? 6000 : id == 3 ? INT32_MIN : 60}));
        table.push_back(Widen(std::to_string(id) + " Big"));
    }
    dir.WriteLines("TZ_Def.ini", catalogue);
    dir.WriteLines("TZ_UserDef.ini", {});
    WriteNames(dir, {u"1 " + Text(63, u'n') + u" x x x"});
    dir.WriteLines("TZ_Zone.ini", table);
    GroupList list;
    ASSERT_EQ(list.Get(u"Big", 1), TZ_OK);
    ASSERT_EQ(list.count, 200);
    EXPECT_EQ(Ids(list.ids.begin(), list.ids.begin() + 4), (Ids{2, 1, 4, 5}));
    EXPECT_EQ(list.ids[199], 3) << "the far east comes last";
    EXPECT_EQ(list.labels.First(3), (std::vector<Text>{u"GMT-99:59 ", u"GMT-01:00 ", u"GMT-01:00 "}));
    EXPECT_EQ(list.labels.First(200)[199], u"GMT+99:59 ");
    EXPECT_EQ(list.names.First(2)[1], Text(63, u'n'));
    EXPECT_TRUE(list.labels.WrittenOnlyBefore(200));
    EXPECT_TRUE(list.names.WrittenOnlyBefore(200));
    CatalogueList all;
    ASSERT_EQ(all.Get(1), TZ_OK);
    EXPECT_EQ(all.entries.First(2)[1], u"(GMT-01:00) " + Text(63, u'n'));
    EXPECT_TRUE(all.entries.WrittenOnlyBefore(150));
}

TEST(GetSelectTZInfo, FailuresLeaveTheTextsAlone) {
    DataDir dir;
    WriteData(dir);
    GroupList list;
    TZChar **names = list.names.pointers.data(), **labels = list.labels.pointers.data();
    EXPECT_EQ(GetSelectTZInfo(nullptr, u"Ties", list.ids.data(), names, labels, 1), TZ_ERR_PARAM);
    list.count = 5;
    EXPECT_EQ(GetSelectTZInfo(&list.count, nullptr, list.ids.data(), names, labels, 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", nullptr, names, labels, 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", list.ids.data(), nullptr, labels, 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", list.ids.data(), names, nullptr, 1), TZ_ERR_PARAM);
    EXPECT_EQ(list.count, 5);
    labels[3] = nullptr;
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_PARAM) << "an absent text buffer";
    labels[3] = list.labels.rooms[3].data();
    dir.Remove("Lang_Def.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 4) << "the zones found";
    dir.Remove("TZ_Zone.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 200);
    WriteData(dir);
    dir.Remove("TZ_Def.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE) << "an unreadable catalogue is no empty list";
    EXPECT_TRUE(list.names.WrittenOnlyBefore(0));
    EXPECT_TRUE(list.labels.WrittenOnlyBefore(0));
}

TEST(GetAllTZInfo, ListsACatalogueSelectionAsLabelAndName) {
    struct Case {
        uint16_t selection;
        Ids ids;
        std::vector<Text> entries;
    };
    const Case cases[] = {
        {0, {6, 7}, {u"(GMT-00:45) Six old", u"(GMT+12:45) Seven old"}},
        // 8 is listed twice (both files); only its first slot gets a description.
        {1, {8, 8, 2, 4, 6, 1, 3, 9, 10000, 5, 7},
         {u"(GMT-05:00) Eight", u"(GMT-02:00) ", u"(GMT-01:00) Zone B", u"(GMT-01:00) Zone D", u"(GMT-00:45) Six",
          u"(GMT)Zone A", u"(GMT)Zone C", u"(GMT+01:00) ", u"(GMT+05:30) My zone", u"(GMT+08:00) Beijing",
          u"(GMT+12:45) Seven"}},
        {2, {}, {}},
        {3, {8, 10000}, {u"(GMT-02:00) Eight", u"(GMT+05:30) My zone"}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteData(dir);
        CatalogueList list;
        ASSERT_EQ(list.Get(c.selection), TZ_OK) << c.selection;
        EXPECT_EQ(list.Listed(), c.ids) << c.selection;
        EXPECT_EQ(list.entries.First(list.count), c.entries) << c.selection;
        EXPECT_TRUE(list.entries.WrittenOnlyBefore(list.count));
    }
}

TEST(GetAllTZInfo, RefusesAndReports) {
    DataDir dir;
    WriteData(dir);
    CatalogueList list;
    list.count = 9;
    EXPECT_EQ(list.Get(4), TZ_ERR_PARAM);
    EXPECT_EQ(list.count, 9u);
    EXPECT_EQ(GetAllTZInfo(nullptr, list.ids.data(), list.entries.pointers.data(), 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetAllTZInfo(&list.count, nullptr, list.entries.pointers.data(), 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetAllTZInfo(&list.count, list.ids.data(), nullptr, 1), TZ_ERR_PARAM);
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(list.Get(1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 200u);
    EXPECT_EQ(list.Get(0), TZ_ERR_FILE) << "the descriptions need the user file";
    EXPECT_EQ(list.count, 2u);
    WriteData(dir);
    dir.WriteDevice("ui_language = 0\n");
    EXPECT_EQ(list.Get(1), TZ_ERR_NO_LANGUAGE);
    EXPECT_TRUE(list.entries.WrittenOnlyBefore(0));
}

TEST(GetAllTZInfo, SortsByTheFixedExchangeOrder) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 20; ++round) {
        DataDir dir;
        std::vector<std::pair<int32_t, uint16_t>> zones;
        std::vector<Text> lines, names;
        const int n = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < n; ++i) {
            const int32_t offset = (static_cast<int32_t>(random() % 5) - 2) * 60;
            const uint16_t id = static_cast<uint16_t>(100 + i);
            zones.emplace_back(offset, id);
            lines.push_back(ZoneText({.id = id, .offset = offset}));
            names.push_back(Widen(std::to_string(id) + " N" + std::to_string(id) + " x x x"));
        }
        dir.WriteLines("TZ_Def.ini", lines);
        dir.WriteLines("TZ_UserDef.ini", {});
        WriteNames(dir, names);
        CatalogueList list;
        ASSERT_EQ(list.Get(1), TZ_OK);
        // The exchanges as the lists make them, on plain pairs.
        for (std::size_t i = 0; i + 1 < zones.size(); ++i)
            for (std::size_t j = i; j < zones.size(); ++j)
                if (zones[j].first > zones[i].first) std::swap(zones[i], zones[j]);
        ASSERT_EQ(list.count, zones.size());
        for (std::size_t i = 0; i < zones.size(); ++i) {
            EXPECT_EQ(list.ids[i], zones[i].second) << round << " " << i;
            EXPECT_NE(list.entries.First(i + 1)[i].find(Widen("N" + std::to_string(zones[i].second))), Text::npos);
            EXPECT_TRUE(i == 0 || zones[i - 1].first >= zones[i].first);
        }
    }
}

TEST(GetAllTZInfo, AllocationFailureReportsMemoryAndWritesNoText) {
    DataDir dir;
    WriteData(dir);
    const auto before = dir.Snapshot();
    CatalogueList list;
    int failures = 0;
    test::SweepAllocationFailures([&] { return list.Get(1); }, [&](uint32_t result, uint64_t n) {
        ++failures;
        EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER) << "allocation " << n << ": " << result;
        EXPECT_TRUE(list.entries.WrittenOnlyBefore(0)) << "allocation " << n;
    });
    EXPECT_GT(failures, 5);
    EXPECT_EQ(dir.Snapshot(), before);
    EXPECT_EQ(list.count, 11u);
}

TEST(ReadZoneTable, NeedsRoomFor200AndAValidSelection) {
    DataDir dir;
    WriteData(dir);
    Ids ids(TZ_MAX_ZONES, 0);
    uint16_t count = 199;
    EXPECT_EQ(ReadZoneTable(ids.data(), 1, &count, u"Ties"), Result::Param);
    count = 200;
    EXPECT_EQ(ReadZoneTable(ids.data(), 1, &count, u"Missing"), Result::Ok);
    EXPECT_EQ(Ids(ids.begin(), ids.begin() + count), (Ids{9, 99, 5, 5}));
    dir.Remove("TZ_Zone.ini");
    count = 200;
    EXPECT_EQ(ReadZoneTable(ids.data(), 3, &count, u"Ties"), Result::Ok) << "no file is read for selection 3";
    EXPECT_EQ(count, 0);
    count = 200;
    EXPECT_EQ(ReadZoneTable(ids.data(), 2, &count, u"Ties"), Result::File);
    EXPECT_EQ(count, 200);
}

}  // namespace
}  // namespace kelvane
