#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Kelvane.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
using test::ZoneLine;
using test::ZoneText;

const ZoneLine kBeijing{.id = 33, .offset = -480, .type = 1, .x = 116, .y = 39, .contact = 33};
const ZoneLine kNewYork{.id = 12, .offset = 300, .type = 0, .stdMonth = 11, .stdDay = 1, .stdDayOfWeek = 0,
                        .stdHour = 2, .stdOffset = 0, .dltMonth = 3, .dltDay = 2, .dltDayOfWeek = 0, .dltHour = 2,
                        .dltOffset = -60, .x = -74, .y = 40, .contact = 12, .detail = "New$York"};
const ZoneLine kMine{.id = 10000, .offset = -345, .type = 3, .detail = "My$zone"};

TZInfo Marked() {
    TZInfo info;
    std::memset(&info, 0x5A, sizeof info);
    return info;
}

void WriteCatalogue(const DataDir &dir, const std::vector<Text> &system, const std::vector<Text> &user) {
    dir.WriteLines("TZ_Def.ini", system);
    dir.WriteLines("TZ_UserDef.ini", user);
}

TEST(GetTZInfoByID, FillsRecordsInTheRecordsFieldOrder) {
    DataDir dir;
    WriteCatalogue(dir, {u";comment", ZoneText(kBeijing), ZoneText(kNewYork)}, {ZoneText(kMine)});
    const uint16_t ids[] = {12, 10000, 33};
    TZInfo infos[3] = {Marked(), Marked(), Marked()};
    ASSERT_EQ(GetTZInfoByID(ids, 3, infos), TZ_OK);
    const TZInfo &ny = infos[0];
    EXPECT_EQ(ny.TZID, 12);
    EXPECT_EQ(ny.Type, 0);
    EXPECT_EQ(ny.Offset, 300);
    EXPECT_EQ(ny.StdMonth, 11);
    EXPECT_EQ(ny.StdDay, 1);
    EXPECT_EQ(ny.StdHour, 2);
    EXPECT_EQ(ny.DltMonth, 3);
    EXPECT_EQ(ny.DltDay, 2);
    EXPECT_EQ(ny.DltHour, 2);
    EXPECT_EQ(ny.StdOffSet, 0);
    EXPECT_EQ(ny.DltOffset, -60);
    EXPECT_EQ(ny.X, -74);
    EXPECT_EQ(ny.Y, 40);
    EXPECT_EQ(ny.Contact, 12);
    EXPECT_EQ(ny.Detail[0], 0) << "descriptions never come from this call";
    EXPECT_EQ(ny.InFrequency, 0x5A5A) << "InFrequency is the caller's";
    EXPECT_EQ(infos[1].TZID, 10000);
    EXPECT_EQ(infos[1].Type, 3);
    EXPECT_EQ(infos[1].Detail[0], 0);
    EXPECT_EQ(infos[2].Offset, -480);
}

struct LookupCase {
    const char *name;
    std::vector<Text> system, user;
    std::vector<uint16_t> ids;
    uint32_t result;
    std::vector<bool> filled;
};

TEST(GetTZInfoByID, CountsFilledSlots) {
    ZoneLine sixteenOnly = kMine;
    sixteenOnly.detail.clear();
    ZoneLine mineAsSystem = kMine;
    mineAsSystem.offset = -999;
    const std::vector<LookupCase> cases = {
        {"unknown identifier", {ZoneText(kBeijing)}, {}, {33, 34}, TZ_ERR_NOT_FOUND, {true, false}},
        {"repeated identifier fills its first slot", {ZoneText(kBeijing)}, {}, {33, 33}, TZ_ERR_NOT_FOUND, {true, false}},
        {"user line of 16 fields is ignored", {}, {ZoneText(sixteenOnly)}, {10000}, TZ_ERR_NOT_FOUND, {false}},
        {"system line of 16 fields counts", {ZoneText(sixteenOnly)}, {}, {10000}, TZ_OK, {true}},
        {"in both files: one slot, success", {ZoneText(mineAsSystem)}, {ZoneText(kMine)}, {10000}, TZ_OK, {true}},
        {"leading zeros match", {u"0033" + ZoneText(kBeijing).substr(2)}, {}, {33}, TZ_OK, {true}},
        {"comment mark before digits", {u";" + ZoneText(kBeijing)}, {}, {33}, TZ_ERR_NOT_FOUND, {false}},
    };
    for (const LookupCase &c : cases) {
        DataDir dir;
        WriteCatalogue(dir, c.system, c.user);
        std::vector<TZInfo> infos(c.ids.size(), Marked());
        EXPECT_EQ(GetTZInfoByID(c.ids.data(), static_cast<uint16_t>(c.ids.size()), infos.data()), c.result) << c.name;
        for (std::size_t j = 0; j < c.ids.size(); ++j) {
            EXPECT_EQ(infos[j].TZID == c.ids[j], c.filled[j]) << c.name << " slot " << j;
            if (!c.filled[j]) {
                EXPECT_EQ(infos[j].Offset, 0x5A5A5A5A) << c.name << ": unmatched slot untouched";
            }
        }
    }
}

TEST(GetTZInfoByID, SystemLineWinsOverTheUserLine) {
    DataDir dir;
    ZoneLine mineAsSystem = kMine;
    mineAsSystem.offset = -999;
    WriteCatalogue(dir, {ZoneText(mineAsSystem)}, {ZoneText(kMine)});
    const uint16_t id = 10000;
    TZInfo info = Marked();
    ASSERT_EQ(GetTZInfoByID(&id, 1, &info), TZ_OK);
    EXPECT_EQ(info.Offset, -999);
}

TEST(GetTZInfoByID, NeedsBothFiles) {
    DataDir dir;
    const uint16_t system = 33, user = 10000;
    TZInfo info = Marked();
    dir.WriteLines("TZ_Def.ini", {ZoneText(kBeijing)});
    EXPECT_EQ(GetTZInfoByID(&system, 1, &info), TZ_ERR_FILE) << "user file missing";
    EXPECT_EQ(info.Offset, 0x5A5A5A5A);
    dir.Remove("TZ_Def.ini");
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(kMine)});
    EXPECT_EQ(GetTZInfoByID(&user, 1, &info), TZ_ERR_FILE) << "system file missing";
    EXPECT_EQ(info.Offset, -345) << "user records stay filled";
}

TEST(GetTZInfoByID, RefusesAbsentArgumentsAndZeroCount) {
    DataDir dir;
    const uint16_t id = 33;
    TZInfo info = Marked();
    EXPECT_EQ(GetTZInfoByID(&id, 0, &info), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZInfoByID(nullptr, 1, &info), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZInfoByID(&id, 1, nullptr), TZ_ERR_PARAM);
    EXPECT_EQ(info.Offset, 0x5A5A5A5A);
}

}  // namespace
}  // namespace kelvane
