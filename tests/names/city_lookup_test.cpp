#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "Kelvane.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;

constexpr TZChar kUnwritten = u'#';

// Caller buffers: rooms of 30, 10 and 20 units plus a guard that must stay
// unwritten, and the three pointer arrays over them.
struct CityBuffers {
    static constexpr int kEntries = 6;
    std::array<std::array<TZChar, 40>, kEntries> field2, field4, field3;
    TZChar *p2[kEntries], *p4[kEntries], *p3[kEntries];
    CityBuffers() {
        for (int i = 0; i < kEntries; ++i) {
            field2[i].fill(kUnwritten), field4[i].fill(kUnwritten), field3[i].fill(kUnwritten);
            p2[i] = field2[i].data(), p4[i] = field4[i].data(), p3[i] = field3[i].data();
        }
    }
    uint32_t Lookup(uint16_t zone, uint16_t *count) { return GetSelectTZOffsetInfo(zone, count, p2, p4, p3); }
    static Text Room(const std::array<TZChar, 40> &b) { return Text(b.data()); }
};

void WriteCities(const DataDir &dir) {
    dir.WriteLines("TZ_CityZoneNum.ini", {
                                             u";Zone City Country Code",
                                             u"33 Beijing China CN",
                                             u"45 Tokyo Japan JP",
                                             u"33 Shanghai China",  // three fields: passed over
                                             u"65569 Hong$Kong China HK extra",
                                             u"33 Chongqing China CN",
                                             u"33 Harbin China CN",
                                             u"33 Wuhan China CN",
                                         });
}

TEST(GetSelectTZOffsetInfo, ListsTheCitiesOfAZoneInFileOrder) {
    DataDir dir;
    WriteCities(dir);
    CityBuffers b;
    uint16_t count = CityBuffers::kEntries;
    ASSERT_EQ(b.Lookup(33, &count), TZ_OK);
    ASSERT_EQ(count, 5);
    const Text cities[] = {u"Beijing", u"Hong Kong", u"Chongqing", u"Harbin", u"Wuhan"};
    const Text codes[] = {u"CN", u"HK", u"CN", u"CN", u"CN"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(CityBuffers::Room(b.field2[i]), cities[i]) << i;
        EXPECT_EQ(CityBuffers::Room(b.field3[i]), u"China") << i;
        EXPECT_EQ(CityBuffers::Room(b.field4[i]), codes[i]) << i;
    }
    EXPECT_EQ(b.field2[5][0], kUnwritten);
}

TEST(GetSelectTZOffsetInfo, StopsAtTheCapacity) {
    DataDir dir;
    WriteCities(dir);
    CityBuffers b;
    uint16_t count = 2;
    ASSERT_EQ(b.Lookup(33, &count), TZ_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(CityBuffers::Room(b.field2[1]), u"Hong Kong");
    EXPECT_EQ(b.field2[2][0], kUnwritten);
    count = 0;
    EXPECT_EQ(b.Lookup(33, &count), TZ_ERR_NOT_FOUND) << "a capacity of 0 stores nothing";
    EXPECT_EQ(count, 0);
    EXPECT_EQ(b.field2[2][0], kUnwritten);
}

TEST(GetSelectTZOffsetInfo, FillsEachRoomAndTerminatesItsLastUnit) {
    DataDir dir;
    const Text longCity(40, u'c'), longCountry(25, u'n'), longCode(12, u'k');
    dir.WriteLines("TZ_CityZoneNum.ini", {u"7 " + longCity + u" " + longCountry + u" " + longCode, u"7 Rome Italy IT"});
    CityBuffers b;
    uint16_t count = 4;
    ASSERT_EQ(b.Lookup(7, &count), TZ_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(CityBuffers::Room(b.field2[0]), Text(29, u'c'));
    EXPECT_EQ(CityBuffers::Room(b.field3[0]), Text(19, u'n'));
    EXPECT_EQ(CityBuffers::Room(b.field4[0]), Text(9, u'k'));
    // A short text: zeros to the end of its room, nothing beyond.
    for (int i = 4; i < 30; ++i) EXPECT_EQ(b.field2[1][i], 0) << i;
    for (int i = 30; i < 40; ++i) EXPECT_EQ(b.field2[1][i], kUnwritten) << i;
    for (int i = 2; i < 10; ++i) EXPECT_EQ(b.field4[1][i], 0) << i;
    EXPECT_EQ(b.field4[1][10], kUnwritten);
    EXPECT_EQ(b.field3[1][19], 0);
    EXPECT_EQ(b.field3[1][20], kUnwritten);
}

TEST(GetSelectTZOffsetInfo, ReportsNothingFoundAndBadArguments) {
    DataDir dir;
    CityBuffers b;
    uint16_t count = 4;
    EXPECT_EQ(b.Lookup(33, &count), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    WriteCities(dir);
    count = 4;
    EXPECT_EQ(b.Lookup(99, &count), TZ_ERR_NOT_FOUND);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(GetSelectTZOffsetInfo(33, nullptr, b.p2, b.p4, b.p3), TZ_ERR_PARAM);
    for (int missing = 0; missing < 3; ++missing) {
        count = 4;
        EXPECT_EQ(GetSelectTZOffsetInfo(33, &count, missing == 0 ? nullptr : b.p2, missing == 1 ? nullptr : b.p4,
                                        missing == 2 ? nullptr : b.p3),
                  TZ_ERR_PARAM);
        EXPECT_EQ(count, 0);
    }
    b.p4[1] = nullptr;
    count = 4;
    EXPECT_EQ(b.Lookup(33, &count), TZ_ERR_PARAM) << "an absent text buffer stops the list";
    EXPECT_EQ(count, 1);
    EXPECT_EQ(b.field2[1][0], kUnwritten);
}

// Search results: up to 160 rooms of 30 units with a guard unit after each.
struct SearchBuffers {
    static constexpr int kEntries = 160;
    std::vector<std::array<TZChar, 31>> rooms = std::vector<std::array<TZChar, 31>>(kEntries);
    std::vector<TZChar *> names;
    std::vector<uint16_t> ids = std::vector<uint16_t>(kEntries, 0);
    SearchBuffers() {
        for (auto &r : rooms) {
            r.fill(kUnwritten);
            names.push_back(r.data());
        }
    }
    uint32_t Search(const TZChar *name, uint16_t *count) { return SearchTZbyName(name, count, ids.data(), names.data()); }
};

void WriteCatalogue(const DataDir &dir) {
    const Text numbers = u"0 1 0 0 0 0 0 0 0 0 0 0 0 0 0";
    dir.WriteLines("TZ_Def.ini", {
                                     u"33 " + numbers + u" Beijing$China",
                                     u"34 " + numbers,  // no description
                                     u"35 " + numbers + u" beijing",
                                     u";36 " + numbers + u" Beijing",
                                     u"65573 " + numbers + u" Bei",
                                     u"38 " + numbers + u" " + Text(40, u'B'),
                                 });
    dir.WriteLines("TZ_UserDef.ini", {u"10000 0 3 0 0 0 0 0 0 0 0 0 0 0 0 0 Beijing$mine"});
}

TEST(SearchTZbyName, FindsSystemZonesByTheStartOfTheirDescription) {
    struct Case {
        const TZChar *name;
        std::vector<uint16_t> ids;
        std::vector<Text> names;
    };
    const Case cases[] = {
        {u"Bei", {33, 37}, {u"Beijing China", u"Bei"}},
        {u"Beijing China", {33}, {u"Beijing China"}},
        {u"Beijing$China", {}, {}},
        {u"Beij", {33}, {u"Beijing China"}},
        {u"BEI", {}, {}},
        {u"Beijing China and more", {}, {}},
        {u"", {33, 35, 37, 38}, {u"Beijing China", u"beijing", u"Bei", Text(29, u'B')}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteCatalogue(dir);
        SearchBuffers b;
        uint16_t count = 99;
        ASSERT_EQ(b.Search(c.name, &count), TZ_OK) << Text(c.name).size();
        ASSERT_EQ(count, c.ids.size());
        for (uint16_t i = 0; i < count; ++i) {
            EXPECT_EQ(b.ids[i], c.ids[i]);
            EXPECT_EQ(Text(b.names[i]), c.names[i]);
            EXPECT_EQ(b.rooms[i][29], 0);
            EXPECT_EQ(b.rooms[i][30], kUnwritten);
        }
        EXPECT_EQ(b.rooms[count][0], kUnwritten);
    }
}

TEST(SearchTZbyName, StoresNoMoreThanTheCatalogueHolds) {
    DataDir dir;
    std::vector<Text> lines;
    for (int i = 1; i <= 155; ++i) lines.push_back(test::Widen(std::to_string(i)) + u" 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 Zone");
    dir.WriteLines("TZ_Def.ini", lines);
    SearchBuffers b;
    uint16_t count = 0;
    ASSERT_EQ(b.Search(u"Zo", &count), TZ_OK);
    EXPECT_EQ(count, TZ_MAX_SYSTEM_ZONES);
    EXPECT_EQ(b.ids[149], 150);
    EXPECT_EQ(b.rooms[150][0], kUnwritten);
}

TEST(SearchTZbyName, ReportsBadArgumentsAndAMissingCatalogue) {
    DataDir dir;
    SearchBuffers b;
    uint16_t count = 9;
    EXPECT_EQ(b.Search(u"B", &count), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(SearchTZbyName(u"B", nullptr, b.ids.data(), b.names.data()), TZ_ERR_PARAM);
    count = 9;
    EXPECT_EQ(SearchTZbyName(nullptr, &count, b.ids.data(), b.names.data()), TZ_ERR_PARAM);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(SearchTZbyName(u"B", &count, nullptr, b.names.data()), TZ_ERR_PARAM);
    EXPECT_EQ(SearchTZbyName(u"B", &count, b.ids.data(), nullptr), TZ_ERR_PARAM);
    WriteCatalogue(dir);
    b.names[1] = nullptr;
    EXPECT_EQ(b.Search(u"B", &count), TZ_ERR_PARAM);
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace kelvane
