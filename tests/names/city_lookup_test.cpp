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

// Caller rooms (30, 10 and 20 units used; the rest must stay unwritten).
struct Rooms {
    std::vector<std::array<TZChar, 40>> texts;
    std::vector<TZChar *> pointers;
    explicit Rooms(std::size_t n) : texts(n) {
        for (auto &t : texts) t.fill(kUnwritten), pointers.push_back(t.data());
    }
    Text At(std::size_t i) const { return Text(texts[i].data()); }
};

struct Cities {
    Rooms city{6}, code{6}, country{6};
    uint32_t Lookup(uint16_t zone, uint16_t *count) {
        return GetSelectTZOffsetInfo(zone, count, city.pointers.data(), code.pointers.data(), country.pointers.data());
    }
};

void WriteCities(const DataDir &dir) {
    dir.WriteLines("TZ_CityZoneNum.ini", {u";Zone City Country Code", u"33 Beijing China CN", u"45 Tokyo Japan JP",
                                          u"33 Shanghai China", u"65569 Hong$Kong China HK extra",
                                          u"33 " + Text(40, u'c') + u" " + Text(25, u'n') + u" " + Text(12, u'k')});
}

TEST(GetSelectTZOffsetInfo, ListsTheCitiesOfAZoneInFileOrder) {
    DataDir dir;
    WriteCities(dir);
    Cities c;
    uint16_t count = 6;
    ASSERT_EQ(c.Lookup(33, &count), TZ_OK);
    ASSERT_EQ(count, 3) << "a line of three fields is passed over";
    EXPECT_EQ(c.city.At(0), u"Beijing");
    EXPECT_EQ(c.country.At(0), u"China");
    EXPECT_EQ(c.code.At(0), u"CN");
    EXPECT_EQ(c.city.At(1), u"Hong Kong");
    EXPECT_EQ(c.code.At(1), u"HK");
    // Long texts are cut to room - 1 and terminated; short ones are zero-filled to the end of their room.
    EXPECT_EQ(c.city.At(2), Text(29, u'c'));
    EXPECT_EQ(c.country.At(2), Text(19, u'n'));
    EXPECT_EQ(c.code.At(2), Text(9, u'k'));
    for (const auto &[rooms, room] : {std::pair{&c.city, 30}, {&c.country, 20}, {&c.code, 10}}) {
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(rooms->texts[0][i] == kUnwritten, i >= room) << room << " " << i;
            EXPECT_TRUE(i < 7 || i >= room || rooms->texts[0][i] == 0) << room << " " << i;
        }
    }
    EXPECT_EQ(c.city.texts[3][0], kUnwritten);
}

TEST(GetSelectTZOffsetInfo, StopsAtTheCapacity) {
    DataDir dir;
    WriteCities(dir);
    Cities c;
    uint16_t count = 2;
    ASSERT_EQ(c.Lookup(33, &count), TZ_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(c.city.texts[2][0], kUnwritten);
    count = 0;
    EXPECT_EQ(c.Lookup(33, &count), TZ_ERR_NOT_FOUND) << "a capacity of 0 stores nothing";
    EXPECT_EQ(c.city.texts[2][0], kUnwritten);
}

TEST(GetSelectTZOffsetInfo, ReportsNothingFoundAndBadArguments) {
    DataDir dir;
    Cities c;
    uint16_t count = 4;
    EXPECT_EQ(c.Lookup(33, &count), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    WriteCities(dir);
    count = 4;
    EXPECT_EQ(c.Lookup(99, &count), TZ_ERR_NOT_FOUND);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(GetSelectTZOffsetInfo(33, nullptr, c.city.pointers.data(), c.code.pointers.data(),
                                    c.country.pointers.data()), TZ_ERR_PARAM);
    count = 4;
    EXPECT_EQ(GetSelectTZOffsetInfo(33, &count, c.city.pointers.data(), nullptr, c.country.pointers.data()),
              TZ_ERR_PARAM);
    EXPECT_EQ(count, 0);
    c.code.pointers[1] = nullptr;
    count = 4;
    EXPECT_EQ(c.Lookup(33, &count), TZ_ERR_PARAM) << "an absent text buffer ends the list";
    EXPECT_EQ(count, 1);
    EXPECT_EQ(c.city.texts[1][0], kUnwritten);
}

struct Search {
    Rooms names{160};
    std::vector<uint16_t> ids = std::vector<uint16_t>(160, 0);
    uint16_t count = 99;
    uint32_t For(const TZChar *name) { return SearchTZbyName(name, &count, ids.data(), names.pointers.data()); }
};

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
        {u"BEI", {}, {}},
        {u"Beijing China and more", {}, {}},
        {u"", {33, 35, 37, 38}, {u"Beijing China", u"beijing", u"Bei", Text(29, u'B')}},
    };
    const Text numbers = u" 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0";
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("TZ_Def.ini", {u"33" + numbers + u" Beijing$China", u"34" + numbers, u"35" + numbers + u" beijing",
                                      u";36" + numbers + u" Beijing", u"65573" + numbers + u" Bei",
                                      u"38" + numbers + u" " + Text(40, u'B')});
        dir.WriteLines("TZ_UserDef.ini", {u"10000 0 3 0 0 0 0 0 0 0 0 0 0 0 0 0 Beijing$mine"});
        Search s;
        ASSERT_EQ(s.For(c.name), TZ_OK);
        EXPECT_EQ(std::vector<uint16_t>(s.ids.begin(), s.ids.begin() + s.count), c.ids) << Text(c.name).size();
        for (uint16_t i = 0; i < s.count && i < c.names.size(); ++i) EXPECT_EQ(s.names.At(i), c.names[i]);
        EXPECT_EQ(s.names.texts[s.count][0], kUnwritten);
    }
}

TEST(SearchTZbyName, StoresNoMoreThanTheSystemCatalogueHolds) {
    DataDir dir;
    std::vector<Text> lines;
    for (int i = 1; i <= 155; ++i) lines.push_back(test::Widen(std::to_string(i)) + u" 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 Z");
    dir.WriteLines("TZ_Def.ini", lines);
    Search s;
    ASSERT_EQ(s.For(u"Z"), TZ_OK);
    EXPECT_EQ(s.count, TZ_MAX_SYSTEM_ZONES);
    EXPECT_EQ(s.names.texts[150][0], kUnwritten);
    s.names.pointers[1] = nullptr;
    EXPECT_EQ(s.For(u"Z"), TZ_ERR_PARAM);
    EXPECT_EQ(s.count, 1);
    dir.Remove("TZ_Def.ini");
    EXPECT_EQ(s.For(u"Z"), TZ_ERR_FILE);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(SearchTZbyName(u"Z", nullptr, s.ids.data(), s.names.pointers.data()), TZ_ERR_PARAM);
    s.count = 9;
    EXPECT_EQ(SearchTZbyName(nullptr, &s.count, s.ids.data(), s.names.pointers.data()), TZ_ERR_PARAM);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(SearchTZbyName(u"Z", &s.count, nullptr, s.names.pointers.data()), TZ_ERR_PARAM);
    EXPECT_EQ(SearchTZbyName(u"Z", &s.count, s.ids.data(), nullptr), TZ_ERR_PARAM);
}

}  // namespace
}  // namespace kelvane
