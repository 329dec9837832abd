#include "catalogue/zone_list.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/zone_ids.h"

namespace kelvane::test {
namespace {

std::vector<Text> Lines(const Ids &ids, int type) {
    std::vector<Text> lines;
    for (uint16_t id : ids) lines.push_back(ZoneText({.id = id, .type = type, .detail = "Zone"}));
    return lines;
}

// The identifiers a selection lists; {9999} when it fails.
Ids Listed(uint16_t selection) {
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    uint16_t count = TZ_MAX_ZONES;
    if (LoadTZList(zones.data(), &count, selection) != Result::Ok) return {9999};
    Ids ids;
    for (uint16_t i = 0; i < count; ++i) ids.push_back(zones[i].TZID);
    return ids;
}

TEST(LoadTZList, SelectsByKindWithinTheLimits) {
    struct Case { const char *name; std::vector<Text> system, user; uint16_t selection; Ids expected; };
    std::vector<Text> mixed = Lines({1, 2, 3}, 0), user = Lines({10000, 10001}, 3);
    mixed.push_back(ZoneText({.id = 9, .type = 1}));  // 16 fields are enough in TZ_Def.ini
    user.push_back(ZoneText({.id = 10007, .type = 2, .detail = "x"}));
    user.push_back(ZoneText({.id = 10008, .type = 0, .detail = "x"}));
    const std::vector<Case> cases = {
        {"compatibility zones only", mixed, user, 0, {1, 2, 3}},
        {"whole catalogue, system first", mixed, user, 1, {1, 2, 3, 9, 10000, 10001}},
        {"selection 2 selects nothing", mixed, user, 2, {}},
        {"user zones, Type 3 only", mixed, user, 3, {10000, 10001}},
        {"150 system zones at most", Lines(Range(1, 160), 1), Lines(Range(10000, 60), 3), 1,
         Range(1, 150, Range(10000, 50))},
        {"the list stops at 200", Lines(Range(1, 120), 1), Lines(Range(10000, 90), 3), 1,
         Range(1, 120, Range(10000, 80))},
        {"50 user zones at most", {}, Lines(Range(10000, 60), 3), 3, Range(10000, 50)},
        {"duplicates are listed twice", Lines({10000}, 1), Lines({10000}, 3), 1, {10000, 10000}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("TZ_Def.ini", c.system);
        dir.WriteLines("TZ_UserDef.ini", c.user);
        EXPECT_EQ(Listed(c.selection), c.expected) << c.name;
    }
}

// GetTZCount's result and the count it leaves, given the count passed in.
std::pair<uint32_t, uint16_t> Count(uint16_t selection, uint16_t count) {
    const uint32_t result = GetTZCount(selection, &count);
    return {result, count};
}

TEST(GetTZCount, CountsASelectionAndKeepsTheCountOnFailure) {
    using Answer = std::pair<uint32_t, uint16_t>;
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", Lines({1, 2, 3, 4}, 0));
    dir.WriteLines("TZ_UserDef.ini", Lines({10000, 10001, 10002}, 3));
    EXPECT_EQ((std::vector{Count(0, 200), Count(1, 200), Count(2, 200), Count(3, 200), Count(1, 199)}),
              (std::vector<Answer>{{TZ_OK, 4}, {TZ_OK, 7}, {TZ_OK, 0}, {TZ_OK, 3}, {TZ_ERR_PARAM, 199}}));
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(Count(0, 500), Answer(TZ_OK, 4)) << "selection 0 needs only TZ_Def.ini";
    EXPECT_EQ(Count(3, 500), Answer(TZ_ERR_FILE, 500));
}

TEST(GetTZDltType, NeedsBothChangeoverMonths) {
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {ZoneText({.id = 1, .stdMonth = 10, .dltMonth = 3}),
                                  ZoneText({.id = 2, .stdMonth = 0, .dltMonth = 3}),
                                  ZoneText({.id = 3, .stdMonth = 10, .dltMonth = 0})});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .type = 3, .stdMonth = 4, .dltMonth = 9, .detail = "z"})});
    const uint16_t ids[] = {1, 2, 3, 99, 10000, 1};
    uint32_t types[6] = {7, 7, 7, 7, 7, 7};
    ASSERT_EQ(GetTZDltType(ids, 6, types), TZ_OK);
    EXPECT_EQ(std::vector<uint32_t>(types, types + 6), (std::vector<uint32_t>{1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(GetTZDltType(nullptr, 0, nullptr), TZ_OK);
    dir.Remove("TZ_UserDef.ini");
    uint32_t kept = 7;
    EXPECT_EQ(GetTZDltType(ids, 1, &kept), TZ_ERR_FILE);
    EXPECT_EQ(kept, 7u);
}

}  // namespace
}  // namespace kelvane::test
