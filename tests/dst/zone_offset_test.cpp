#include <gtest/gtest.h>

#include <climits>

#include "dst/dst_world.h"

namespace kelvane {
namespace {
using test::World;
using test::ZoneText;

TEST(GetTZOffset, SubtractsTheEffectiveOffsetsOrGivesTheFailureValue) {
    struct Case {
        const char *name, *device;
        const TZChar *settings;
        uint16_t zone1, zone2;
        int32_t offset;
        const char *removed = nullptr;
        bool duplicate = false;  // zone 33 in the user file as well
    };
    // The device's UTC clock: its local clock with the stored zone's bias, 0 here.
    const char *summer = "clock = 2024-07-01 12:00:00\n", *winter = "clock = 2024-01-15 12:00:00\n";
    const char *winterDaylight = "clock = 2024-01-15 12:00:00\ntz_state = 2\n";
    const int32_t failed = TZ_OFFSET_ERROR;
    const Case cases[] = {
        {"both in daylight time", summer, KT("33 0 1033 33"), 12, 20, 360},
        {"a user zone", winter, KT("33 0 1033 33"), 10000, 33, 135},
        {"the current zone with itself, platform in daylight", winterDaylight, KT("12 0 1033 12"), 12, 12, 0},
        {"zone 1 current: the platform says daylight, the rule not", winterDaylight, KT("12 0 1033 12"), 12, 33, 720},
        {"zone 1 current: the platform says standard, the rule daylight",
         "clock = 2024-07-01 12:00:00\ntz_state = 1\n", KT("12 0 1033 12"), 12, 33, 780},
        {"zone 2 current: the platform's state counts for it", winterDaylight, KT("20 0 1033 20"), 33, 20, -360},
        {"neither current: the platform has no say", winterDaylight, KT("10000 0 1033 10000"), 33, 20, -420},
        {"zone 1 is 0", winter, KT("12 0 1033 12"), 0, 33, failed},
        {"settings missing", winter, KT("12 0 1033 12"), 33, 20, failed, "TZ_Set.ini"},
        {"system catalogue missing", winter, KT("12 0 1033 12"), 33, 10000, failed, "TZ_Def.ini"},
        {"zone listed in both files", winter, KT("12 0 1033 12"), 33, 20, failed, nullptr, true},
        {"zone listed twice, with itself", winter, KT("12 0 1033 12"), 33, 33, failed, nullptr, true},
    };
    for (const Case &c : cases) {
        World dir(c.device, c.settings);
        if (c.removed != nullptr) dir.Remove(c.removed);
        if (c.duplicate) dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 33, .type = 3, .detail = "x"})});
        EXPECT_EQ(GetTZOffset(c.zone1, c.zone2, 12345), c.offset) << c.name;
    }
    // Offsets are any 32-bit values; a difference that does not fit is a failure too.
    World dir;
    dir.WriteLines("TZ_Def.ini", {ZoneText({.id = 1, .offset = INT32_MAX}), ZoneText({.id = 2, .offset = INT32_MIN})});
    EXPECT_EQ(GetTZOffset(1, 2, 0), TZ_OFFSET_ERROR);
    EXPECT_EQ(GetTZOffset(1, 1, 0), 0);
}

}  // namespace
}  // namespace kelvane
