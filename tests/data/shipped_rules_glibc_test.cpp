// The shipped catalogue's rules against glibc's reading of the same zones.
//
// Each catalogue zone was generated from one IANA zone of the tz database
// (the identifier table names it). For every hour of the year the catalogue
// was made for, glibc turns the UTC instant into that zone's wall-clock time,
// daylight flag and offset (TZ set for the test's own use; the engine never
// reads the environment), and the engine judges the same wall-clock time
// with QueryTZDltStateByDate. Its state must equal tm_isdst, and the
// zone's effective offset (Offset plus DltOffset in daylight time, else
// StdOffSet) must equal tm_gmtoff.
//
// Where they may differ follows from the boundary rules. A rule of whole
// hours judges a (month, day, hour) of the wall clock. Where the clocks jump
// ahead, the skipped hour is never seen. Where they fall back, the repeated
// wall-clock times after the change are one (month, day, hour) with two
// answers, and a southern rule (standard start in an earlier month than the
// daylight start) also counts the hour of its standard start itself as
// daylight time and that of its daylight start as standard time, so on such
// a rule the wall-clock hour after the repeated times differs as well. A
// change at minutes past the hour is stored at a whole hour, so the rest of
// the clock hour around such a change is judged as the hour was. Those are
// the transition hours, computed for every change glibc reports; every
// other hour of the year must agree.
//
// Each zone is read alone from a data directory holding its catalogue line
// as the shipped file has it: the lookup across the whole file is checked
// by the shipped-data tests, and one line keeps 139 x 8760 lookups quick.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Kelvane.h"
#include "data/shipped_data.h"
#include "rules/civil_time.h"
#include "support/glibc_zone.h"
#include "zones/zone_id_table.h"

namespace kelvane {
namespace {
using test::Text;

struct ShippedZone {
    int id;
    std::string windowsZone, ianaZone;
    Text line;  // as TZ_Def.ini has it
};

void PrintTo(const ShippedZone &z, std::ostream *out) { *out << z.id << " " << z.windowsZone << " " << z.ianaZone; }

// The year of ";Rules -- in force in <year>, ..." in TZ_Def.ini; 0 if absent.
int CatalogueYear() {
    const Text prefix = u";Rules -- in force in ";
    for (const Text &line : test::RawLines("TZ_Def.ini"))
        if (line.rfind(prefix, 0) == 0) return test::Number(line.substr(prefix.size(), 4));
    return 0;
}

std::vector<ShippedZone> ShippedZones() {
    std::ifstream in(KELVANE_ZONE_ID_TABLE);
    std::ostringstream text;
    text << in.rdbuf();
    std::string problem;
    const auto table = builder::ZoneIdTable::Parse(text.str(), &problem);
    std::vector<ShippedZone> zones;
    if (!table) return zones;
    for (const Text &line : test::RawLines("TZ_Def.ini")) {
        if (line.empty() || line[0] == u';') continue;
        const int id = test::Number(line.substr(0, line.find(u'\t')).substr(line.find_first_not_of(u' ')));
        for (const auto &row : table->Rows())
            if (row.id == id) zones.push_back({id, row.windowsZone, row.source, line});
    }
    return zones;
}

std::int64_t FloorHour(std::int64_t t) { return t - ((t % 3600) + 3600) % 3600; }
std::int64_t CeilHour(std::int64_t t) { return FloorHour(t + 3599); }

// Whether instant t is a transition hour of the change at `at` from UTC
// offset `before` to `after` (seconds east), as the comment above says.
bool IsTransitionHour(std::int64_t t, std::int64_t at, long before, long after, bool southern) {
    if (t < at) return t + before >= FloorHour(at + before);  // same clock hour, before a change off the hour
    std::int64_t end = at + after;                              // in wall-clock time after the change
    if (before > after) end = at + before + (southern ? 3600 : 0);
    end = std::max(end, CeilHour(at + after));
    return t + after < end;
}

class ShippedRule : public ::testing::TestWithParam<ShippedZone> {};

TEST(ShippedRules, NameTheirYearAndEveryZonesSource) {
    EXPECT_GE(CatalogueYear(), 1970);
    const auto zones = ShippedZones();
    EXPECT_EQ(zones.size(), test::RawRecords("TZ_Def.ini").size());
    for (const ShippedZone &z : zones) EXPECT_FALSE(z.ianaZone.empty()) << z.windowsZone;
}

TEST_P(ShippedRule, AgreesWithGlibcOutsideTheTransitionHours) {
    const ShippedZone &z = GetParam();
    const int year = CatalogueYear();
    ASSERT_NE(year, 0);
    if (!std::filesystem::exists(std::filesystem::path("/usr/share/zoneinfo") / z.ianaZone))
        GTEST_SKIP() << "no " << z.ianaZone << " in this host's tz database";
    test::DataDir dir;
    dir.WriteLines("TZ_Def.ini", {z.line});
    dir.WriteLines("TZ_UserDef.ini", {});
    TZInfo rule{};
    const std::uint16_t id = static_cast<std::uint16_t>(z.id);
    ASSERT_EQ(GetTZInfoByID(&id, 1, &rule), TZ_OK);

    const test::GlibcZone glibc(":" + z.ianaZone);
    const std::int64_t first = builder::SecondsFromCivil(year, 1, 1) - 86400;
    const std::int64_t last = builder::SecondsFromCivil(year + 1, 1, 1) + 86400;
    const auto changes = glibc.Changes(first, last);
    const bool southern = rule.StdMonth <= rule.DltMonth;
    const auto inTransitionHours = [&](std::int64_t t) {
        for (const auto &c : changes)
            if (IsTransitionHour(t, c.at, c.offsetBefore, c.offsetAfter, southern)) return true;
        return false;
    };
    int compared = 0, daylightHours = 0;
    for (std::int64_t t = first; t < last; t += 3600) {
        const auto local = glibc.At(t);
        if (local.year != year || inTransitionHours(t)) continue;
        const SYSTEMTIME wallClock{static_cast<std::uint16_t>(local.year), static_cast<std::uint16_t>(local.month), 0,
                                   static_cast<std::uint16_t>(local.day),  static_cast<std::uint16_t>(local.hour),
                                   0,                                      0, 0};
        std::uint32_t state = 7;
        ASSERT_EQ(QueryTZDltStateByDate(id, &wallClock, &state), TZ_OK);
        const std::int32_t bias = rule.Offset + (state == 1 ? rule.DltOffset : rule.StdOffSet);
        ASSERT_EQ(state == 1, local.daylight)
            << local.year << "-" << local.month << "-" << local.day << " " << local.hour << ":00";
        ASSERT_EQ(-60 * bias, local.utcOffset)
            << local.year << "-" << local.month << "-" << local.day << " " << local.hour << ":00";
        ++compared;
        daylightHours += state == 1;
    }
    // A change makes at most three hours transition hours.
    EXPECT_GE(compared, 8760 - 3 * static_cast<int>(changes.size()));
    EXPECT_EQ(daylightHours > 0, rule.DltMonth != 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ShippedRule, ::testing::ValuesIn(ShippedZones()),
                         [](const ::testing::TestParamInfo<ShippedZone> &info) {
                             std::string name = "TZID" + std::to_string(info.param.id) + "_";
                             for (char c : info.param.windowsZone)
                                 if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                                     name += c;
                             return name;
                         });

}  // namespace
}  // namespace kelvane
