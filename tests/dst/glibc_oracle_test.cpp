// The daylight rule against an independent oracle: glibc's reading of the
// same rule as a POSIX TZ string. Every UTC hour of several years is turned
// into wall-clock time and daylight flag by glibc and judged by the engine.
//
// The rule works to the hour, so they differ by design in one place: glibc
// ends daylight time at S in daylight time, so the wall clock shows hour
// S - 1 again, now in standard time, and the rule (seeing that hour once)
// says daylight for both. Both hemispheres change at the same hours. The
// test asserts agreement everywhere else and disagreement exactly there.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Kelvane.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/glibc_zone.h"

namespace kelvane {
namespace {
using test::StartOfYear;
using test::ZoneLine;

// Weeks 1 to 5, several weekdays and hours, both hemispheres. Every changeover
// hour is at least 1, so the repeated hour stays on its own day.
const char *const kRules[] = {"AST4ADT,M3.2.0/2,M11.1.0/2",   "CET-1CEST,M3.5.0/2,M10.5.0/3",
                              "XST-3XDT,M4.3.5/1,M9.4.3/4",   "AEST-10AEDT,M10.1.0/2,M4.1.0/3",
                              "YST3YDT,M10.5.6/22,M3.4.2/5",  "ZST-5ZDT,M9.3.1/23,M2.2.4/1"};

// The catalogue line of a rule "<std><hours><dst>,Mm.w.d/h,Mm.w.d/h" with one hour of daylight saving.
ZoneLine LineOf(const std::string &posix) {
    ZoneLine z{.id = 1, .dltOffset = -60};
    const std::size_t comma = posix.find(',');
    z.offset = 60 * std::stoi(posix.substr(posix.find_first_of("-0123456789")));
    EXPECT_EQ(std::sscanf(posix.c_str() + comma, ",M%d.%d.%d/%d,M%d.%d.%d/%d", &z.dltMonth, &z.dltDay,
                          &z.dltDayOfWeek, &z.dltHour, &z.stdMonth, &z.stdDay, &z.stdDayOfWeek, &z.stdHour),
              8);
    return z;
}

constexpr int kFirstYear = 2023, kLastYear = 2028;

class DaylightRuleOracle : public ::testing::TestWithParam<const char *> {};

TEST_P(DaylightRuleOracle, AgreesWithGlibcOutsideTheFallBackHours) {
    const ZoneLine zone = LineOf(GetParam());
    test::DataDir dir;
    dir.WriteLines("TZ_Def.ini", {test::ZoneText(zone)});
    dir.WriteLines("TZ_UserDef.ini", {});
    const test::GlibcZone glibc(GetParam());
    int compared = 0, differences = 0;
    // A day on either side, so every wall-clock hour of the years is seen.
    for (int64_t t = StartOfYear(kFirstYear) + 86400; t < StartOfYear(kLastYear + 1) - 86400; t += 3600) {
        const auto now = glibc.At(t), hourAgo = glibc.At(t - 3600);
        const bool repeatedHour = !now.daylight && hourAgo.daylight;
        const SYSTEMTIME wall{static_cast<uint16_t>(now.year), static_cast<uint16_t>(now.month), 0,
                              static_cast<uint16_t>(now.day),  static_cast<uint16_t>(now.hour),  0, 0, 0};
        uint32_t state = 7;
        ASSERT_EQ(QueryTZDltStateByDate(1, &wall, &state), TZ_OK);
        const bool differs = (state == 1) != now.daylight;
        ASSERT_EQ(differs, repeatedHour) << GetParam() << " at " << now.year << "-" << now.month << "-"
                                                      << now.day << " " << now.hour << ":00, engine " << state;
        ++compared;
        differences += differs;
    }
    const int years = kLastYear - kFirstYear + 1;
    EXPECT_GE(compared, years * 8760 - 48);
    EXPECT_EQ(differences, years);
}

INSTANTIATE_TEST_SUITE_P(NorthernAndSouthern, DaylightRuleOracle, ::testing::ValuesIn(kRules));

}  // namespace
}  // namespace kelvane
