#include <gtest/gtest.h>

#include <vector>

#include "Kelvane.h"
#include "names/rooms.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane::test {
namespace {

const ZoneLine kBeijing{.id = 33, .offset = -480, .x = 116, .y = 39, .contact = 33};
const ZoneLine kNewYork{.id = 12, .offset = 300, .type = 0, .stdMonth = 11, .stdDay = 1, .stdDayOfWeek = 6,
                        .stdHour = 2, .stdOffset = 5, .dltMonth = 3, .dltDay = 2, .dltDayOfWeek = 4, .dltHour = 7,
                        .dltOffset = -60, .x = -74, .y = 40, .contact = 12, .detail = "New$York"};
const ZoneLine kMine{.id = 10000, .offset = -345, .type = 3, .detail = "My$zone"};

// The record's numbers as a catalogue line (file order), to compare with the line it came from.
Text LineOf(const TZInfo &z) {
    return ZoneText({z.TZID, z.Offset, z.Type, z.StdMonth, z.StdDay, z.StdDayOfWeek, z.StdHour, z.StdOffSet,
                     z.DltMonth, z.DltDay, z.DltDayOfWeek, z.DltHour, z.DltOffset, z.X, z.Y, z.Contact});
}

void WriteCatalogue(const DataDir &dir, const std::vector<Text> &system, const std::vector<Text> &user) {
    dir.WriteLines("TZ_Def.ini", system);
    dir.WriteLines("TZ_UserDef.ini", user);
}

TEST(GetTZInfoByID, FillsEachFieldOfTheRecordButTheCallersOwn) {
    DataDir dir;
    WriteCatalogue(dir, {KT(";comment"), ZoneText(kBeijing), ZoneText(kNewYork)}, {ZoneText(kMine)});
    const uint16_t ids[] = {12, 10000, 33};
    TZInfo infos[3] = {Marked<TZInfo>(), Marked<TZInfo>(), Marked<TZInfo>()};
    ASSERT_EQ(GetTZInfoByID(ids, 3, infos), TZ_OK);
    ZoneLine numbersOnly = kNewYork;
    numbersOnly.detail.clear();
    EXPECT_EQ(LineOf(infos[0]), ZoneText(numbersOnly));
    EXPECT_EQ(LineOf(infos[1]), ZoneText({.id = 10000, .offset = -345, .type = 3}));
    EXPECT_EQ(LineOf(infos[2]), ZoneText(kBeijing));
    EXPECT_EQ(infos[0].Detail[0] + infos[1].Detail[0], 0) << "descriptions never come from this call";
    EXPECT_EQ(infos[0].InFrequency, 0x5A5A) << "InFrequency is the caller's";
}

TEST(GetTZInfoByID, SucceedsWhenEverySlotIsFilledAndKeepsWhatWasFoundOnFailure) {
    struct Case {
        const char *name;
        std::vector<Text> system, user;
        std::vector<uint16_t> ids;
        uint32_t result;
        std::vector<int32_t> offsets;  // 0x5A5A5A5A: the slot as passed
        const char *removed = nullptr;
    };
    ZoneLine sixteenOnly = kMine, mineAsSystem = kMine;
    sixteenOnly.detail.clear();
    mineAsSystem.offset = -999;
    const int32_t kUnfilled = 0x5A5A5A5A;
    const std::vector<Case> cases = {
        {"unknown identifier", {ZoneText(kBeijing)}, {}, {33, 34}, TZ_ERR_NOT_FOUND, {-480, kUnfilled}},
        {"repeated identifier fills its first slot", {ZoneText(kBeijing)}, {}, {33, 33}, TZ_ERR_NOT_FOUND,
         {-480, kUnfilled}},
        {"user line of 16 fields is ignored", {}, {ZoneText(sixteenOnly)}, {10000}, TZ_ERR_NOT_FOUND, {kUnfilled}},
        {"system line of 16 fields counts", {ZoneText(sixteenOnly)}, {}, {10000}, TZ_OK, {-345}},
        {"in both files: one slot, the system line wins", {ZoneText(mineAsSystem)}, {ZoneText(kMine)}, {10000}, TZ_OK,
         {-999}},
        {"leading zeros match", {Text(KT("0033")).append(ZoneText(kBeijing).substr(2))}, {}, {33}, TZ_OK, {-480}},
        {"comment mark before digits", {Text(KT(";")).append(ZoneText(kBeijing))}, {}, {33}, TZ_ERR_NOT_FOUND, {kUnfilled}},
        {"user file missing", {ZoneText(kBeijing)}, {}, {33}, TZ_ERR_FILE, {kUnfilled}, "TZ_UserDef.ini"},
        {"system file missing: user records stay filled", {}, {ZoneText(kMine)}, {10000}, TZ_ERR_FILE, {-345}, "TZ_Def.ini"},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteCatalogue(dir, c.system, c.user);
        if (c.removed != nullptr) dir.Remove(c.removed);
        std::vector<TZInfo> infos(c.ids.size(), Marked<TZInfo>());
        EXPECT_EQ(GetTZInfoByID(c.ids.data(), static_cast<uint16_t>(c.ids.size()), infos.data()), c.result) << c.name;
        std::vector<int32_t> offsets;
        for (const TZInfo &info : infos) offsets.push_back(info.Offset);
        EXPECT_EQ(offsets, c.offsets) << c.name;
    }
}

}  // namespace
}  // namespace kelvane::test
