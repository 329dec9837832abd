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
using test::ZoneLine;
using test::ZoneText;

using Ids = std::vector<uint16_t>;
constexpr TZChar kUnwritten = u'#';

// Caller text buffers of a given room with guard units after it.
template <std::size_t Room>
struct Texts {
    std::vector<std::array<TZChar, Room + 8>> rooms = std::vector<std::array<TZChar, Room + 8>>(TZ_MAX_ZONES + 1);
    std::vector<TZChar *> pointers;
    Texts() {
        for (auto &r : rooms) {
            r.fill(kUnwritten);
            pointers.push_back(r.data());
        }
    }
    std::vector<Text> First(std::size_t n) const {
        std::vector<Text> texts;
        for (std::size_t i = 0; i < n; ++i) texts.emplace_back(rooms[i].data());
        return texts;
    }
    bool Untouched() const {
        return std::all_of(rooms.begin(), rooms.end(), [](const auto &r) {
            return std::all_of(r.begin(), r.end(), [](TZChar c) { return c == kUnwritten; });
        });
    }
    bool GuardsIntact() const {
        return std::all_of(rooms.begin(), rooms.end(), [](const auto &r) {
            return std::all_of(r.begin() + Room, r.end(), [](TZChar c) { return c == kUnwritten; });
        });
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

Text Line(const std::string &ascii) { return Widen(ascii); }

// Zones 1 to 4 with offsets 0, 60, 0, 60 (A, B, C, D); 5 east, 6 and 7
// compatibility zones; 8 listed in both catalogue files; 9 without
// description; user zone 10000.
void WriteData(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {
                                     ZoneText(ZoneLine{.id = 1, .offset = 0}),
                                     ZoneText(ZoneLine{.id = 2, .offset = 60}),
                                     ZoneText(ZoneLine{.id = 3, .offset = 0}),
                                     ZoneText(ZoneLine{.id = 4, .offset = 60}),
                                     ZoneText(ZoneLine{.id = 5, .offset = -480}),
                                     ZoneText(ZoneLine{.id = 6, .offset = 45, .type = 0}),
                                     ZoneText(ZoneLine{.id = 7, .offset = -765, .type = 0}),
                                     ZoneText(ZoneLine{.id = 8, .offset = 300}),
                                     ZoneText(ZoneLine{.id = 9, .offset = -60}),
                                 });
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10000, .offset = -330, .type = 3, .detail = "My$zone"}),
                                      ZoneText(ZoneLine{.id = 8, .offset = 120, .type = 3, .detail = "Eight$user"})});
    dir.WriteLines("Lang_Def.ini", {u"1033 En.ini"});
    dir.WriteLines("En.ini", {u"1 Zone$A A2 s d", u"2 Zone$B B2 s d", u"3 Zone$C C2 s d", u"4 Zone$D D2 s d",
                              u"5 Beijing Peking s d", u"6 Six Six$old s d", u"7 Seven Seven$old s d",
                              u"8 Eight Eight$old s d"});
    dir.WriteLines("TZ_Zone.ini", {u";TZID Group", u"1 Ties", u"2 Ties", u"3 Ties", u"4 Ties", u"5 Asia", u"6 Odd$ones",
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
        {u"Ties", 1, {2, 4, 3, 1}, {u"GMT-01:00 ", u"GMT-01:00 ", u"GMT", u"GMT"},
         {u"Zone B", u"Zone D", u"Zone C", u"Zone A"}},
        {u"Ties", 0, {2, 4, 3, 1}, {u"GMT-01:00 ", u"GMT-01:00 ", u"GMT", u"GMT"}, {u"B2", u"D2", u"C2", u"A2"}},
        {u"Odd ones", 2, {6, 7}, {u"GMT-00:45 ", u"GMT+12:45 "}, {u"Six", u"Seven"}},
        {u"Odd ones", 0, {6, 7}, {u"GMT-00:45 ", u"GMT+12:45 "}, {u"Six old", u"Seven old"}},
        {u"Both", 1, {8}, {u"GMT-05:00 "}, {u"Eight"}},
        {u"Asia", 1, {5}, {u"GMT+08:00 "}, {u"Beijing"}},
        {u"Missing", 1, {9, 5}, {u"GMT+01:00 ", u"GMT+08:00 "}, {u"", u"Beijing"}},
        {u"ties", 1, {1}, {u"GMT"}, {u"Zone A"}},
        {u"TIES", 1, {}, {}, {}},
        {u"Ties", 3, {}, {}, {}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteData(dir);
        GroupList list;
        ASSERT_EQ(list.Get(c.group, c.selection), TZ_OK) << Text(c.group).size();
        EXPECT_EQ(list.Listed(), c.ids);
        EXPECT_EQ(list.labels.First(list.count), c.labels);
        EXPECT_EQ(list.names.First(list.count), c.names);
        EXPECT_EQ(list.labels.rooms[list.count][0], kUnwritten);
        EXPECT_TRUE(list.labels.GuardsIntact());
        EXPECT_TRUE(list.names.GuardsIntact());
    }
}

TEST(GetSelectTZInfo, ListsTheFirst200ZonesOfAGroup) {
    DataDir dir;
    std::vector<Text> catalogue, table;
    for (int id = 1; id <= 210; ++id) {
        catalogue.push_back(ZoneText(ZoneLine{.id = id, .offset = 60}));
        table.push_back(Line(std::to_string(id) + " Big"));
    }
    dir.WriteLines("TZ_Def.ini", catalogue);
    dir.WriteLines("TZ_UserDef.ini", {});
    dir.WriteLines("Lang_Def.ini", {u"1033 En.ini"});
    dir.WriteLines("En.ini", {});
    dir.WriteLines("TZ_Zone.ini", table);
    GroupList list;
    ASSERT_EQ(list.Get(u"Big", 1), TZ_OK);
    Ids expected(200);
    for (int i = 0; i < 200; ++i) expected[i] = static_cast<uint16_t>(i + 1);
    EXPECT_EQ(list.Listed(), expected) << "equal offsets are never exchanged";
    EXPECT_EQ(list.labels.rooms[200][0], kUnwritten);
}

TEST(GetSelectTZInfo, LabelsKeepTheirSizeForAnyOffset) {
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {ZoneText(ZoneLine{.id = 1, .offset = 6000}),
                                  ZoneText(ZoneLine{.id = 2, .offset = 5999}),
                                  ZoneText(ZoneLine{.id = 3, .offset = INT32_MIN}),
                                  ZoneText(ZoneLine{.id = 4, .offset = INT32_MAX})});
    dir.WriteLines("TZ_UserDef.ini", {});
    dir.WriteLines("Lang_Def.ini", {u"1033 En.ini"});
    dir.WriteLines("En.ini", {u"1 " + Text(63, u'n') + u" x x x"});
    dir.WriteLines("TZ_Zone.ini", {u"1 G", u"2 G", u"3 G", u"4 G"});
    GroupList list;
    ASSERT_EQ(list.Get(u"G", 1), TZ_OK);
    EXPECT_EQ(list.Listed(), (Ids{4, 1, 2, 3}));
    EXPECT_EQ(list.labels.First(4), (std::vector<Text>{u"GMT-99:59 ", u"GMT-99:59 ", u"GMT-99:59 ", u"GMT+99:59 "}));
    EXPECT_EQ(list.names.First(2)[1], Text(63, u'n'));
    EXPECT_TRUE(list.labels.GuardsIntact());
    EXPECT_TRUE(list.names.GuardsIntact());
    CatalogueList all;
    ASSERT_EQ(all.Get(1), TZ_OK);
    EXPECT_EQ(all.entries.First(4)[1], u"(GMT-99:59) " + Text(63, u'n'));
    EXPECT_TRUE(all.entries.GuardsIntact());
}

TEST(GetSelectTZInfo, FailuresLeaveTheTextsAlone) {
    DataDir dir;
    WriteData(dir);
    GroupList list;
    EXPECT_EQ(GetSelectTZInfo(nullptr, u"Ties", list.ids.data(), list.names.pointers.data(),
                              list.labels.pointers.data(), 1), TZ_ERR_PARAM);
    list.count = 5;
    EXPECT_EQ(GetSelectTZInfo(&list.count, nullptr, list.ids.data(), list.names.pointers.data(),
                              list.labels.pointers.data(), 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", nullptr, list.names.pointers.data(),
                              list.labels.pointers.data(), 1), TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", list.ids.data(), nullptr, list.labels.pointers.data(), 1),
              TZ_ERR_PARAM);
    EXPECT_EQ(GetSelectTZInfo(&list.count, u"Ties", list.ids.data(), list.names.pointers.data(), nullptr, 1),
              TZ_ERR_PARAM);
    EXPECT_EQ(list.count, 5);

    list.labels.pointers[3] = nullptr;
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_PARAM) << "an absent text buffer";
    list.labels.pointers[3] = list.labels.rooms[3].data();

    dir.Remove("Lang_Def.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 4) << "the zones found";
    dir.Remove("TZ_Zone.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE);
    EXPECT_EQ(list.count, 200);
    WriteData(dir);
    dir.Remove("TZ_Def.ini");
    EXPECT_EQ(list.Get(u"Ties", 1), TZ_ERR_FILE) << "a catalogue that cannot be read is no empty list";
    EXPECT_TRUE(list.names.Untouched());
    EXPECT_TRUE(list.labels.Untouched());
}

TEST(GetAllTZInfo, ListsACatalogueSelectionAsLabelAndName) {
    struct Case {
        uint16_t selection;
        Ids ids;
        std::vector<Text> entries;
    };
    const Case cases[] = {
        {0, {6, 7}, {u"(GMT-00:45) Six old", u"(GMT+12:45) Seven old"}},
        {1,
         // 8 is listed twice (both files); only its first slot gets a description.
         {8, 8, 2, 4, 6, 1, 3, 9, 10000, 5, 7},
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
        EXPECT_EQ(list.entries.rooms[list.count][0], kUnwritten);
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
    dir.WriteDevice("ui_language = 0\n");
    WriteData(dir);
    EXPECT_EQ(list.Get(1), TZ_ERR_NO_LANGUAGE);
    EXPECT_TRUE(list.entries.Untouched());
}

// The exchanges exactly as the list operations make them, on plain pairs.
std::vector<std::pair<int32_t, uint16_t>> ReferenceSort(std::vector<std::pair<int32_t, uint16_t>> zones) {
    const std::size_t n = zones.size();
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i; j < n; ++j)
            if (zones[j].first > zones[i].first) std::swap(zones[i], zones[j]);
    return zones;
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
            lines.push_back(ZoneText(ZoneLine{.id = id, .offset = offset}));
            names.push_back(Line(std::to_string(id) + " N" + std::to_string(id) + " x x x"));
        }
        dir.WriteLines("TZ_Def.ini", lines);
        dir.WriteLines("TZ_UserDef.ini", {});
        dir.WriteLines("Lang_Def.ini", {u"1033 En.ini"});
        dir.WriteLines("En.ini", names);
        CatalogueList list;
        ASSERT_EQ(list.Get(1), TZ_OK);
        const auto sorted = ReferenceSort(zones);
        ASSERT_EQ(list.count, sorted.size());
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            EXPECT_EQ(list.ids[i], sorted[i].second) << round << " " << i;
            EXPECT_NE(list.entries.First(i + 1)[i].find(Line("N" + std::to_string(sorted[i].second))), Text::npos)
                << "the name moves with its zone";
            if (i > 0) {
                EXPECT_GE(sorted[i - 1].first, sorted[i].first);
            }
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
        EXPECT_TRUE(list.entries.Untouched()) << "allocation " << n;
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
    EXPECT_EQ(count, 199);
    count = 200;
    EXPECT_EQ(ReadZoneTable(ids.data(), 1, &count, u"Missing"), Result::Ok);
    EXPECT_EQ(Ids(ids.begin(), ids.begin() + count), (Ids{9, 99, 5, 5}));
    count = 200;
    dir.Remove("TZ_Zone.ini");
    EXPECT_EQ(ReadZoneTable(ids.data(), 3, &count, u"Ties"), Result::Ok) << "no file is read for selection 3";
    EXPECT_EQ(count, 0);
    count = 200;
    EXPECT_EQ(ReadZoneTable(ids.data(), 2, &count, u"Ties"), Result::File);
    EXPECT_EQ(count, 200);
}

}  // namespace
}  // namespace kelvane
