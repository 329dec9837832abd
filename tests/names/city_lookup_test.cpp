#include <gtest/gtest.h>

#include <vector>

#include "Kelvane.h"
#include "names/rooms.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane::test {
namespace {
using Texts = std::vector<Text>;

struct Cities {
    Rooms city{6, 30}, country{6, 20}, code{6, 10};
    uint16_t count = 0;
    uint32_t Lookup(uint16_t zone, uint16_t capacity) {
        count = capacity;
        return GetSelectTZOffsetInfo(zone, &count, city.Pointers(), code.Pointers(), country.Pointers());
    }
};

void WriteCities(const DataDir &dir) {
    dir.WriteLines("TZ_CityZoneNum.ini", {KT(";Zone City Country Code"), KT("33 Beijing China CN"), KT("45 Tokyo Japan JP"),
                                          KT("33 Shanghai China"), KT("65569 Hong$Kong China HK extra"),
                                          KT("33 ") + Text(40, KT('c')) + KT(" ") + Text(25, KT('n')) + KT(" ") + Text(12, KT('k'))});
}

TEST(GetSelectTZOffsetInfo, ListsTheCitiesOfAZoneInFileOrderCutToTheirRoomsOrRefuses) {
    DataDir dir;
    WriteCities(dir);
    Cities c;
    ASSERT_EQ(c.Lookup(33, 6), TZ_OK);
    // A line of three fields is passed over; only the low 16 bits of the zone count.
    EXPECT_EQ(c.city.First(c.count), (Texts{KT("Beijing"), KT("Hong Kong"), Text(29, KT('c'))}));
    EXPECT_EQ(c.country.First(3), (Texts{KT("China"), KT("China"), Text(19, KT('n'))}));
    EXPECT_EQ(c.code.First(3), (Texts{KT("CN"), KT("HK"), Text(9, KT('k'))}));
    // The rest of a room is zero-filled, the last unit always a terminator, nothing past the room.
    EXPECT_EQ(c.city.Whole(0), KT("Beijing") + Text(23, KT('\0')));
    EXPECT_EQ(c.code.Whole(2), Text(9, KT('k')) + KT('\0'));
    EXPECT_TRUE(c.city.WrittenOnlyBefore(3) && c.country.WrittenOnlyBefore(3) && c.code.WrittenOnlyBefore(3));
    Cities none;
    EXPECT_EQ(none.Lookup(33, 0), TZ_ERR_NOT_FOUND) << "a capacity of 0 stores nothing";
    EXPECT_TRUE(none.city.WrittenOnlyBefore(0));
    EXPECT_EQ(none.Lookup(99, 4), TZ_ERR_NOT_FOUND);
    EXPECT_EQ(none.count, 0);
    // A refusal counts what was stored before it.
    c.count = 4;
    EXPECT_EQ(GetSelectTZOffsetInfo(33, &c.count, c.city.Pointers(), nullptr, c.country.Pointers()), TZ_ERR_PARAM);
    EXPECT_EQ(c.count, 0);
    Cities absent;
    absent.code.Pointers()[1] = nullptr;
    EXPECT_EQ(absent.Lookup(33, 4), TZ_ERR_PARAM) << "an absent text buffer ends the list";
    EXPECT_EQ(absent.count, 1);
    EXPECT_TRUE(absent.city.WrittenOnlyBefore(1));
}

struct Search {
    Rooms names{160, 30};
    std::vector<uint16_t> ids = std::vector<uint16_t>(160, 0);
    uint16_t count = 99;
    uint32_t For(const TZChar *name) { return SearchTZbyName(name, &count, ids.data(), names.Pointers()); }
};

TEST(SearchTZbyName, FindsSystemZonesByTheStartOfTheirDescription) {
    const struct { Text name; std::vector<uint16_t> ids; Texts names; } cases[] = {
        {KT("Bei"), {33, 37}, {KT("Beijing China"), KT("Bei")}},
        {KT("Beijing China"), {33}, {KT("Beijing China")}},
        {KT("Beijing$China"), {}, {}},
        {KT("BEI"), {}, {}},
        {KT("Beijing China and more"), {}, {}},
        {KT(""), {33, 35, 37, 38}, {KT("Beijing China"), KT("beijing"), KT("Bei"), Text(29, KT('B'))}},
        {Text(63, KT('B')), {38}, {Text(29, KT('B'))}},
        {Text(64, KT('B')), {}, {}},  // a field keeps its first 63 units
    };
    const Text numbers = KT(" 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0");
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {KT("33") + numbers + KT(" Beijing$China"), KT("34") + numbers, KT("35") + numbers + KT(" beijing"),
                                  KT(";36") + numbers + KT(" Beijing"), KT("65573") + numbers + KT(" Bei"),
                                  KT("38") + numbers + KT(" ") + Text(70, KT('B'))});
    dir.WriteLines("TZ_UserDef.ini", {KT("10000 0 3 0 0 0 0 0 0 0 0 0 0 0 0 0 Beijing$mine")});
    for (const auto &c : cases) {
        Search s;
        ASSERT_EQ(s.For(c.name.c_str()), TZ_OK);
        EXPECT_EQ(std::vector<uint16_t>(s.ids.begin(), s.ids.begin() + s.count), c.ids) << c.name.size();
        EXPECT_EQ(s.names.First(s.count), c.names) << c.name.size();
        EXPECT_TRUE(s.names.WrittenOnlyBefore(s.count));
    }
}

TEST(SearchTZbyName, StoresNoMoreThanTheSystemCatalogueHoldsAndReports) {
    DataDir dir;
    std::vector<Text> lines;
    for (int i = 1; i <= 155; ++i) lines.push_back(ZoneText({.id = i, .detail = "Z"}));
    dir.WriteLines("TZ_Def.ini", lines);
    Search s;
    ASSERT_EQ(s.For(KT("Z")), TZ_OK);
    EXPECT_EQ(s.count, TZ_MAX_SYSTEM_ZONES);
    EXPECT_TRUE(s.names.WrittenOnlyBefore(TZ_MAX_SYSTEM_ZONES));
    s.names.Pointers()[1] = nullptr;
    EXPECT_EQ(s.For(KT("Z")), TZ_ERR_PARAM);
    EXPECT_EQ(s.count, 1);
    s.count = 9;
    EXPECT_EQ(SearchTZbyName(nullptr, &s.count, s.ids.data(), s.names.Pointers()), TZ_ERR_PARAM);
    EXPECT_EQ(s.count, 0);
}

}  // namespace
}  // namespace kelvane::test
