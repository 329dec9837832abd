// The daylight rule against an independent oracle: glibc's reading of the
// same rule written as a POSIX TZ string.
//
// For every hour of several years, the UTC instant is turned into the zone's
// wall-clock time and daylight flag by glibc (setenv TZ, tzset, localtime_r:
// the test's own use of the environment; the engine never reads it), and the
// engine judges that wall-clock time with QueryTZDltStateByDate.
//
// Where the two legitimately differ follows from the boundary rules. glibc
// begins daylight time at D in standard time, so the wall clock jumps from
// hour D - 1 to hour D + 1 and no ambiguous wall-clock hour exists there. It
// ends daylight time at S in daylight time, so the wall clock falls back and
// shows hour S - 1 a second time, now in standard time; an hour-resolution
// rule sees the same (month, day, hour) twice and can give only one answer:
// daylight, since for both hemispheres the hour before S is daylight time.
// The southern rule also counts hour S itself as daylight time (M <= S),
// while on the wall clock that hour is already standard time. So the engine
// and glibc differ exactly at
//   - the repeated hour S - 1 in standard time (both hemispheres), and
//   - hour S in standard time (southern rules only),
// and the test asserts agreement everywhere else and disagreement there.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>
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

struct OracleZone {
    const char *posix;
    ZoneLine line;
};

// Weeks 1 to 5 and several weekdays and hours, on both hemispheres. Every
// changeover hour is at least 1, so the repeated hour stays on its own day.
const OracleZone kZones[] = {
    {"AST4ADT,M3.2.0/2,M11.1.0/2",
     {.id = 1, .offset = 240, .stdMonth = 11, .stdDay = 1, .stdDayOfWeek = 0, .stdHour = 2, .dltMonth = 3,
      .dltDay = 2, .dltDayOfWeek = 0, .dltHour = 2, .dltOffset = -60}},
    {"CET-1CEST,M3.5.0/2,M10.5.0/3",
     {.id = 2, .offset = -60, .stdMonth = 10, .stdDay = 5, .stdDayOfWeek = 0, .stdHour = 3, .dltMonth = 3,
      .dltDay = 5, .dltDayOfWeek = 0, .dltHour = 2, .dltOffset = -60}},
    {"XST-3XDT,M4.3.5/1,M9.4.3/4",
     {.id = 3, .offset = -180, .stdMonth = 9, .stdDay = 4, .stdDayOfWeek = 3, .stdHour = 4, .dltMonth = 4,
      .dltDay = 3, .dltDayOfWeek = 5, .dltHour = 1, .dltOffset = -60}},
    {"AEST-10AEDT,M10.1.0/2,M4.1.0/3",
     {.id = 4, .offset = -600, .stdMonth = 4, .stdDay = 1, .stdDayOfWeek = 0, .stdHour = 3, .dltMonth = 10,
      .dltDay = 1, .dltDayOfWeek = 0, .dltHour = 2, .dltOffset = -60}},
    {"YST3YDT,M10.5.6/22,M3.4.2/5",
     {.id = 5, .offset = 180, .stdMonth = 3, .stdDay = 4, .stdDayOfWeek = 2, .stdHour = 5, .dltMonth = 10,
      .dltDay = 5, .dltDayOfWeek = 6, .dltHour = 22, .dltOffset = -60}},
    {"ZST-5ZDT,M9.3.1/23,M2.2.4/1",
     {.id = 6, .offset = -300, .stdMonth = 2, .stdDay = 2, .stdDayOfWeek = 4, .stdHour = 1, .dltMonth = 9,
      .dltDay = 3, .dltDayOfWeek = 1, .dltHour = 23, .dltOffset = -60}},
};

void PrintTo(const OracleZone &zone, std::ostream *out) { *out << zone.posix; }

constexpr int kFirstYear = 2023;
constexpr int kLastYear = 2028;

// Puts TZ back as it was when the test ends.
class TimeZoneVariable {
public:
    TimeZoneVariable() {
        if (const char *tz = getenv("TZ")) saved_ = tz;
    }
    ~TimeZoneVariable() {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void Set(const char *posix) {
        setenv("TZ", posix, 1);
        tzset();
    }

private:
    std::optional<std::string> saved_;
};

struct WallClock {
    SYSTEMTIME time;
    bool daylight;
};

WallClock Local(time_t t) {
    tm local{};
    localtime_r(&t, &local);
    SYSTEMTIME s{static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1), 0,
                 static_cast<uint16_t>(local.tm_mday), static_cast<uint16_t>(local.tm_hour),
                 static_cast<uint16_t>(local.tm_min), 0, 0};
    return {s, local.tm_isdst > 0};
}

time_t UtcStartOfYear(int year) {
    tm start{};
    start.tm_year = year - 1900;
    start.tm_mday = 1;
    return timegm(&start);
}

class DaylightRuleOracle : public ::testing::TestWithParam<OracleZone> {};

TEST_P(DaylightRuleOracle, AgreesWithGlibcOutsideTheFallBackHours) {
    const OracleZone &z = GetParam();
    DataDir dir;
    dir.WriteLines("TZ_Def.ini", {ZoneText(z.line)});
    dir.WriteLines("TZ_UserDef.ini", {});
    TimeZoneVariable tz;
    tz.Set(z.posix);
    const bool southern = z.line.stdMonth < z.line.dltMonth;
    int compared = 0, fallBackHours = 0, mismatches = 0;
    // A day on either side, so every wall-clock hour of the years is seen.
    for (time_t t = UtcStartOfYear(kFirstYear) + 86400; t < UtcStartOfYear(kLastYear + 1) - 86400; t += 3600) {
        const WallClock now = Local(t), hourAgo = Local(t - 3600), twoHoursAgo = Local(t - 7200);
        // The first standard hour after daylight time shows hour S - 1 again;
        // on a southern rule the hour after it is hour S.
        const bool repeated = !now.daylight && hourAgo.daylight;
        const bool southernS = southern && !now.daylight && !hourAgo.daylight && twoHoursAgo.daylight;
        const bool expectDifference = repeated || southernS;
        uint32_t state = 7;
        ASSERT_EQ(QueryTZDltStateByDate(z.line.id, &now.time, &state), TZ_OK);
        const bool differs = (state == 1) != now.daylight;
        if (differs) ++mismatches;
        if (expectDifference) ++fallBackHours;
        ASSERT_EQ(differs, expectDifference)
            << z.posix << " at " << now.time.wYear << "-" << now.time.wMonth << "-" << now.time.wDay << " "
            << now.time.wHour << ":00, glibc daylight " << now.daylight << ", engine " << state;
        ++compared;
    }
    const int years = kLastYear - kFirstYear + 1;
    EXPECT_GE(compared, years * 8760 - 48);
    EXPECT_EQ(fallBackHours, years * (southern ? 2 : 1));
    EXPECT_EQ(mismatches, fallBackHours);
}

INSTANTIATE_TEST_SUITE_P(NorthernAndSouthern, DaylightRuleOracle, ::testing::ValuesIn(kZones),
                         [](const ::testing::TestParamInfo<OracleZone> &info) {
                             std::string name;
                             for (const char *c = info.param.posix; *c != 0 && *c != ','; ++c) {
                                 if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z')) name += *c;
                             }
                             return name;
                         });

}  // namespace
}  // namespace kelvane
