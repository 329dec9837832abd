#include "catalogue/zone_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
using test::ZoneLine;
using test::ZoneText;

std::vector<Text> SystemZones(int count, int firstId, int type) {
    std::vector<Text> lines;
    for (int i = 0; i < count; ++i) lines.push_back(ZoneText(ZoneLine{.id = firstId + i, .type = type}));
    return lines;
}

std::vector<Text> UserZones(int count, int type = 3) {
    std::vector<Text> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(ZoneText(ZoneLine{.id = 10000 + i, .type = type, .detail = "Zone$" + std::to_string(i)}));
    return lines;
}

std::vector<uint16_t> Listed(uint16_t selection, uint32_t *result, uint16_t capacity = TZ_MAX_ZONES) {
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    uint16_t count = capacity;
    *result = Code(LoadTZList(zones.data(), &count, selection));
    if (*result != TZ_OK) return {};
    std::vector<uint16_t> ids;
    for (uint16_t i = 0; i < count; ++i) ids.push_back(zones[i].TZID);
    return ids;
}

std::vector<uint16_t> Range(int first, int count) {
    std::vector<uint16_t> ids;
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<uint16_t>(first + i));
    return ids;
}

std::vector<uint16_t> Concat(std::vector<uint16_t> a, const std::vector<uint16_t> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LoadTZList, SelectsByKindWithinTheLimits) {
    struct Case {
        const char *name;
        std::vector<Text> system, user;
        uint16_t selection;
        std::vector<uint16_t> expected;
    };
    std::vector<Text> mixed = SystemZones(3, 1, 0);
    mixed.push_back(ZoneText(ZoneLine{.id = 9, .type = 1}));
    std::vector<Text> user = UserZones(2);
    user.push_back(ZoneText(ZoneLine{.id = 10007, .type = 2, .detail = "x"}));
    user.push_back(ZoneText(ZoneLine{.id = 10008, .type = 0, .detail = "x"}));
    std::vector<Text> overlap = SystemZones(1, 10000, 1);
    const std::vector<Case> cases = {
        {"compatibility zones only", mixed, user, 0, {1, 2, 3}},
        {"whole catalogue, system first", mixed, user, 1, {1, 2, 3, 9, 10000, 10001}},
        {"selection 2 selects nothing", mixed, user, 2, {}},
        {"user zones, Type 3 only", mixed, user, 3, {10000, 10001}},
        {"150 system zones at most", SystemZones(160, 1, 1), UserZones(60), 1,
         Concat(Range(1, 150), Range(10000, 50))},
        {"the list stops at 200", SystemZones(120, 1, 1), UserZones(90), 1, Concat(Range(1, 120), Range(10000, 80))},
        {"50 user zones at most", {}, UserZones(60), 3, Range(10000, 50)},
        {"duplicates are listed twice", overlap, UserZones(1), 1, {10000, 10000}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("TZ_Def.ini", c.system);
        dir.WriteLines("TZ_UserDef.ini", c.user);
        uint32_t result = 0;
        EXPECT_EQ(Listed(c.selection, &result), c.expected) << c.name;
        EXPECT_EQ(result, TZ_OK) << c.name;
    }
}

TEST(LoadTZList, UserZonesCarryTheirDescription) {
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10003, .type = 3, .detail = "My$home$zone"})});
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, 3), Result::Ok);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(Text(zones[0].Detail), u"My home zone");
    EXPECT_EQ(zones[0].Type, 3);
}

TEST(LoadTZList, RefusesAndReportsMissingFiles) {
    DataDir dir;
    uint32_t result = 0;
    dir.WriteLines("TZ_Def.ini", SystemZones(2, 1, 0));
    EXPECT_EQ(Listed(0, &result), Range(1, 2)) << "selection 0 needs only TZ_Def.ini";
    Listed(3, &result);
    EXPECT_EQ(result, TZ_ERR_FILE);
    Listed(1, &result);
    EXPECT_EQ(result, TZ_ERR_FILE);
    Listed(4, &result);
    EXPECT_EQ(result, TZ_ERR_PARAM);
    Listed(1, &result, 199);
    EXPECT_EQ(result, TZ_ERR_PARAM);
}

TEST(GetTZCount, CountsASelectionAndKeepsTheCountOnFailure) {
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", SystemZones(4, 1, 0));
    dir.WriteLines("TZ_UserDef.ini", UserZones(3));
    for (uint16_t selection : {0, 1, 2, 3}) {
        uint16_t count = 199;
        EXPECT_EQ(GetTZCount(selection, &count), TZ_ERR_PARAM);
        EXPECT_EQ(count, 199);
    }
    const uint16_t expected[] = {4, 7, 0, 3};
    for (uint16_t selection : {0, 1, 2, 3}) {
        uint16_t count = 200;
        EXPECT_EQ(GetTZCount(selection, &count), TZ_OK);
        EXPECT_EQ(count, expected[selection]);
    }
    uint16_t count = 500;
    EXPECT_EQ(GetTZCount(4, &count), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZCount(1, nullptr), TZ_ERR_PARAM);
    dir.Remove("TZ_Def.ini");
    EXPECT_EQ(GetTZCount(1, &count), TZ_ERR_FILE);
    EXPECT_EQ(count, 500);
}

TEST(GetTZDltType, NeedsBothChangeoverMonths) {
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {ZoneText(ZoneLine{.id = 1, .stdMonth = 10, .dltMonth = 3}),
                                  ZoneText(ZoneLine{.id = 2, .stdMonth = 0, .dltMonth = 3}),
                                  ZoneText(ZoneLine{.id = 3, .stdMonth = 10, .dltMonth = 0})});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10000, .type = 3, .stdMonth = 4, .dltMonth = 9,
                                                        .detail = "z"})});
    const uint16_t ids[] = {1, 2, 3, 99, 10000, 1};
    uint32_t types[6] = {7, 7, 7, 7, 7, 7};
    ASSERT_EQ(GetTZDltType(ids, 6, types), TZ_OK);
    EXPECT_EQ(std::vector<uint32_t>(types, types + 6), (std::vector<uint32_t>{1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(GetTZDltType(nullptr, 0, nullptr), TZ_OK);
    EXPECT_EQ(GetTZDltType(nullptr, 1, types), TZ_ERR_PARAM);
    dir.Remove("TZ_UserDef.ini");
    uint32_t kept = 7;
    EXPECT_EQ(GetTZDltType(ids, 1, &kept), TZ_ERR_FILE);
    EXPECT_EQ(kept, 7u);
}

}  // namespace
}  // namespace kelvane
