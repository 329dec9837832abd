// The shipped catalogue's rules against glibc's reading of the IANA zone each
// was made from (the identifier table names it; its TZif file kept under
// tests/catalogue_builder/tzif by the builder): for every hour of the
// catalogue's year, the engine's daylight state at glibc's wall-clock time must
// equal tm_isdst, and the zone's effective offset tm_gmtoff. Only transition
// hours may differ: a skipped hour is never seen; the repeated times after a
// fall-back are one (month, day, hour) with two answers; a change off the
// hour is stored at a whole hour. The rule is judged
// hour by hour; QueryTZDltStateByDate, which reads the files on every call, is
// asked wherever the state changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "Kelvane.h"
#include "catalogue_builder/data_files.h"
#include "dst/daylight_rule.h"
#include "calendar/civil_calendar.h"
#include "support/glibc_zone.h"
#include "zones/zone_id_table.h"

namespace kelvane {
namespace {

// The TZif files of the tz database the shipped data set was built from.
const std::filesystem::path kTzifFiles = KELVANE_TZIF_DIR;

struct ShippedZone {
    std::uint16_t id;
    std::string windowsZone, ianaZone;
};

// The installed catalogue's zones, in file order, with their rows of the identifier table.
std::vector<ShippedZone> ShippedZones() {
    std::string problem;
    const auto table = builder::ZoneIdTable::Parse(test::FileBytes(KELVANE_ZONE_ID_TABLE), &problem);
    std::vector<ShippedZone> zones;
    for (const auto &fields : test::DataLines(KT("TZ_Def.ini"), 17)) {
        const int id = test::Number(fields[0]);
        zones.push_back({static_cast<std::uint16_t>(id), "?", ""});
        if (!table) continue;
        for (const auto &row : table->Rows())
            if (row.id == id) zones.back() = {row.id, row.windowsZone, row.source};
    }
    return zones;
}

std::int64_t FloorHour(std::int64_t t) { return t - ((t % 3600) + 3600) % 3600; }

// Whether instant t is a transition hour of the change at `at` from UTC
// offset `before` to `after` (seconds east).
bool IsTransitionHour(std::int64_t t, std::int64_t at, long before, long after) {
    if (t < at) return t + before >= FloorHour(at + before);  // same clock hour, before a change off the hour
    std::int64_t end = at + after;                              // in wall-clock time after the change
    if (before > after) end = at + before;
    end = std::max(end, FloorHour(at + after + 3599));
    return t + after < end;
}

// One zone's comparison; stops at its first disagreement.
void CompareWithGlibc(const ShippedZone &z, int year) {
    TZInfo rule{};
    ASSERT_EQ(GetTZInfoByID(&z.id, 1, &rule), TZ_OK);
    std::string file = ":";
    file += (kTzifFiles / z.ianaZone).string();
    const test::GlibcZone glibc(file);
    const std::int64_t first = SecondsFromCivil(year, 1, 1) - 86400;
    const std::int64_t last = SecondsFromCivil(year + 1, 1, 1) + 86400;
    const auto changes = glibc.Changes(first, last);
    // A year whose changes form no single daylight period is stored as the
    // offset or rule in force at its end: compared from its last change on,
    // by offset only (a daylight offset kept all year is stored as standard).
    const std::int64_t yearStart = first + 86400, yearEnd = last - 86400;
    const auto inYear = std::count_if(changes.begin(), changes.end(),
                                      [&](const auto &c) { return c.at >= yearStart && c.at < yearEnd; });
    std::int64_t from = first;
    if (inYear != 0 && inYear != 2)
        for (const auto &c : changes)
            if (c.at < yearEnd) from = std::max(from, c.at);
    int compared = 0, daylightHours = 0, queried = 0;
    std::uint32_t previous = 2;
    for (std::int64_t t = first; t < last; t += 3600) {
        const auto local = glibc.At(t);
        if (t < from || local.year != year || std::any_of(changes.begin(), changes.end(), [&](const auto &c) {
                return IsTransitionHour(t, c.at, c.offsetBefore, c.offsetAfter);
            }))
            continue;
        const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
        const SYSTEMTIME wallClock{u16(year), u16(local.month), 0, u16(local.day), u16(local.hour), 0, 0, 0};
        const std::uint32_t state = DaylightStateOn(rule, wallClock);
        if (state != previous) {
            std::uint32_t queriedState = 7;
            ASSERT_EQ(QueryTZDltStateByDate(z.id, &wallClock, &queriedState), TZ_OK);
            ASSERT_EQ(queriedState, state);
            ++queried;
        }
        previous = state;
        const std::int32_t bias = rule.Offset + (state == 1 ? rule.DltOffset : rule.StdOffSet);
        if (from == first) {
            ASSERT_EQ(state == 1, local.daylight) << local.month << "-" << local.day << " " << local.hour << ":00";
        }
        ASSERT_EQ(-60 * bias, local.utcOffset) << local.month << "-" << local.day << " " << local.hour << ":00";
        ++compared;
        daylightHours += state == 1;
    }
    const auto hours = static_cast<int>((yearEnd - std::max(from, yearStart)) / 3600) - (from > first ? 24 : 0);
    EXPECT_GE(compared, hours - 3 * static_cast<int>(changes.size()));  // at most three transition hours a change
    EXPECT_EQ(daylightHours > 0, rule.DltMonth != 0);
    EXPECT_GE(queried, 1);
}

// glibc is an oracle for the shipped rules only when it reads the tz
// database the data set was built from: the builder keeps the TZif files of
// its zones under tests/, whatever the host's own database holds.
TEST(ShippedRules, AgreeWithGlibcOutsideTheTransitionHours) {
    const std::string built = test::LineAfter(test::kShippedData / "dataset.txt", "tzdata = ");
    ASSERT_FALSE(built.empty());
    ASSERT_EQ(test::LineAfter(kTzifFiles / "version", ""), built)
        << "regenerate with scripts/regenerate-data.sh";
    const int year = test::ShippedDataYear();
    ASSERT_GE(year, 1970);
    test::ShippedDataDir dir;
    const auto zones = ShippedZones();
    EXPECT_GE(zones.size(), 100u);
    for (const ShippedZone &z : zones) {
        SCOPED_TRACE(std::to_string(z.id) + " " + z.windowsZone + " " + z.ianaZone);
        ASSERT_TRUE(std::filesystem::is_regular_file(kTzifFiles / z.ianaZone)) << "no source or no TZif file kept";
        CompareWithGlibc(z, year);
    }
}

}  // namespace
}  // namespace kelvane
