// A zone's catalogue rule for a year: its POSIX footer read as glibc reads
// it, the exact and the converted rules, the listed changes, and the
// changeover encoding and calendar underneath.
#include "rules/year_rule.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Kelvane.h"
#include "rules/changeover.h"
#include "calendar/civil_calendar.h"
#include "rules/year_fit.h"
#include "rules/zone_timeline.h"
#include "support/glibc_zone.h"

namespace kelvane::builder {

void PrintTo(const CatalogueRule &r, std::ostream *out) {
    *out << "{" << r.bias << ", " << r.standardBias << ", " << r.daylightBias;
    for (const Changeover &c : {r.standardStart, r.daylightStart})
        *out << ", {" << c.month << ", " << c.week << ", " << c.weekday << ", " << c.hour << "}";
    *out << "}";
}

namespace {
constexpr std::int64_t kYear = 2026;
constexpr const char *kCet = "CET-1CEST,M3.5.0,M10.5.0/3";
const CatalogueRule kCetRule{-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}};

YearRule RuleOf(const TzifData &data) {
    const auto zone = ZoneTimeline::FromTzif(data);
    EXPECT_TRUE(zone) << data.footer;
    return zone ? RuleForYear(*zone, kYear) : YearRule{};
}

// The instant a changeover names in the year, decoded by the engine's own
// calendar, in the local time given.
std::int64_t Decoded(const Changeover &c, std::int32_t utcOffsetBefore) {
    const std::uint16_t day = GetDateFromWeekInfo(kYear, c.month, c.week, c.weekday);
    return SecondsFromCivil(kYear, c.month, day, c.hour * 3600) - utcOffsetBefore;
}

TEST(ParsePosixTz, RefusesWhatIsNotACompleteRule) {
    for (const char *text : {"", "EST", "ES5", "<AB>5", "<+01", "EST25", "EST5EDT", "EST5EDT,M3.2.0",
                             "EST5EDT,M13.2.0,M11.1.0", "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0",
                             "EST5EDT,J0,J300", "EST5EDT,366,J300", "EST5EDT,M3.2.0/168,M11.1.0",
                             "EST5EDT,M3.2.0,M11.1.0x", "EST5EDT,M3.2.0/2:60,M11.1.0"})
        EXPECT_FALSE(ParsePosixTz(text)) << text;
}

// Each footer against glibc's reading of it: the standard offset and both
// changes of every year 2024-2028 to the second; then its 2026 rule, whose
// changeovers, decoded by the engine's calendar, give glibc's instants unless
// a change off the hour had to be rounded.
TEST(RuleForYear, EncodesTheFooterKeepingTheInstantsGlibcSees) {
    struct Case {
        const char *footer;
        CatalogueRule expected;
        std::size_t approximations;
        bool rounded = false;
    };
    const Case cases[] = {
        // Whole-hour weekday rules are the zone's own, in both hemispheres.
        {kCet, kCetRule, 0},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", {-600, 0, -60, {4, 1, 0, 3}, {10, 1, 0, 2}}, 0},
        {"NZST-12NZDT,M9.5.0,M4.1.0/3", {-720, 0, -60, {4, 1, 0, 3}, {9, 5, 0, 2}}, 0},
        {"EST5EDT,M3.2.0,M11.1.0", {300, 0, -60, {11, 1, 0, 2}, {3, 2, 0, 2}}, 0},
        {"EST5EDT,M2.4.0,M11.1.0", {300, 0, -60, {11, 1, 0, 2}, {2, 4, 0, 2}}, 0},  // 4th and last stays 4th
        {"EST5EDT,M2.5.0,M11.1.0", {300, 0, -60, {11, 1, 0, 2}, {2, 5, 0, 2}}, 0},
        {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", {-630, 0, -30, {4, 1, 0, 2}, {10, 1, 0, 2}}, 0},
        // Negative daylight time: standard time in summer, "daylight" time in winter.
        {"IST-1GMT0,M10.5.0,M3.5.0/1", {-60, 0, 60, {3, 5, 0, 1}, {10, 5, 0, 2}}, 0},
        // Converted: the same instants in 2026 as the n-th weekday (5: the last) and hour.
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", {120, 0, -60, {10, 5, 0, 0}, {3, 5, 6, 23}}, 1},
        {"IST-2IDT,M3.4.4/26,M10.5.0", {-120, 0, -60, {10, 5, 0, 2}, {3, 5, 5, 2}}, 1},
        {"EET-2EEST,M3.4.4/50,M10.4.4/50", {-120, 0, -60, {10, 4, 6, 2}, {3, 5, 6, 2}}, 2},
        {"EET-2EEST,M4.5.5/0,M10.5.4/24", {-120, 0, -60, {10, 5, 5, 0}, {4, 5, 5, 0}}, 1},
        {"<-04>4<-03>,M9.1.6/24,M4.1.6/24", {240, 0, -60, {4, 1, 0, 0}, {9, 1, 0, 0}}, 2},
        {"XST5XDT,J60,300/1", {300, 0, -60, {10, 5, 3, 1}, {3, 1, 0, 2}}, 2},
        // Zero-based days: 29 February and 30 December in leap years.
        {"XST5XDT,59,364", {300, 0, -60, {12, 5, 4, 2}, {3, 1, 0, 2}}, 2},
        // 02:45 jumps to 03:45: hour 2 is still standard time, so the start is 03:00.
        // 03:45 falls back to 02:45: from 03:00 the hour repeats, so the end is 03:00.
        {"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", {-765, 0, -60, {4, 1, 0, 3}, {9, 5, 0, 3}}, 3, true},
        {"XST5XDT,J60/2:30:15,300/167", {300, 0, -60, {11, 1, 2, 23}, {3, 1, 0, 3}}, 3, true},
        {"UTC0", {}, 0},
        {"<+01>-1", {-60, 0, 0, {}, {}}, 0},
        {"<-0930>9:30", {570, 0, 0, {}, {}}, 0},
        {"<+0545>-5:45", {-345, 0, 0, {}, {}}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.footer);
        const auto tz = ParsePosixTz(c.footer);
        ASSERT_TRUE(tz);
        const test::GlibcZone glibc(c.footer);
        const auto january = glibc.At(SecondsFromCivil(kYear, 1, 1)), july = glibc.At(SecondsFromCivil(kYear, 7, 1));
        EXPECT_EQ(tz->standardOffset, january.daylight ? july.utcOffset : january.utcOffset);
        for (std::int64_t year = 2024; year <= 2028 && tz->hasDaylight; ++year) {
            const FooterYear ours = FooterChangesInYear(*tz, year);
            const auto theirs = glibc.Changes(SecondsFromCivil(year - 1, 12, 30), SecondsFromCivil(year + 1, 1, 3));
            const auto seen = [&](std::int64_t at, bool daylight) {
                return std::any_of(theirs.begin(), theirs.end(),
                                   [&](auto &change) { return change.at == at && change.daylightAfter == daylight; });
            };
            EXPECT_TRUE(seen(ours.daylightStart, true) && seen(ours.daylightEnd, false)) << year;
        }
        const YearRule rule = RuleOf(TzifData{{}, {}, {LocalType{}}, c.footer});
        EXPECT_EQ(rule.rule, c.expected);
        EXPECT_EQ(rule.approximations.size(), c.approximations);
        const std::int32_t standard = -60 * rule.rule.bias, daylight = standard - 60 * rule.rule.daylightBias;
        const auto changes = glibc.Changes(SecondsFromCivil(kYear, 1, 1), SecondsFromCivil(kYear + 1, 1, 1));
        for (const auto &change : changes) {
            if (c.rounded) continue;
            EXPECT_EQ(change.at, change.daylightAfter ? Decoded(rule.rule.daylightStart, standard)
                                                      : Decoded(rule.rule.standardStart, daylight));
        }
        // The stored rule keeps the zone's own year unless a change was rounded.
        const auto timeline = ZoneTimeline::FromTzif(TzifData{{}, {}, {LocalType{}}, c.footer});
        ASSERT_TRUE(timeline);
        EXPECT_EQ(SignatureOfRule(rule.rule, kYear) == SignatureOfYear(*timeline, kYear), !c.rounded);
    }
}

TEST(RuleForYear, ReadsListedChangesAsTheCLibraryDoes) {
    const FooterYear cet = FooterChangesInYear(*ParsePosixTz(kCet), kYear);
    const auto at = [](std::int64_t year, unsigned month, unsigned day) { return SecondsFromCivil(year, month, day); };
    struct Case {
        const char *what;
        CatalogueRule expected;
        const char *approximation;  // in the first reason; none expected when empty
        TzifData data;
    };
    const Case cases[] = {
        {"Morocco: +00 around Ramadan, unknown to the footer", {-60, 0, 60, {3, 4, 0, 2}, {2, 3, 0, 3}},
         "stored as daylight start third Sunday of February at 03:00, standard start fourth Sunday of March at 02:00",
         {{at(kYear, 2, 15) + 7200, at(kYear, 3, 22) + 7200}, {1, 0}, {{3600, false}, {0, true}}, "<+01>-1"}},
        {"the footer's changes listed too, as in Debian's files", kCetRule, "",
         {{cet.daylightStart, cet.daylightEnd}, {1, 0}, {{3600, false}, {7200, true}}, kCet}},
        {"one change of standard offset: the year's end", {-180, 0, 0, {}, {}}, "1 change(s)",
         {{at(kYear, 6, 1)}, {1}, {{7200, false}, {10800, false}}, "<+03>-3"}},
        {"daylight time adopted within the year", kCetRule, "3 change(s)",
         {{at(kYear, 2, 1)}, {1}, {{7200, false}, {3600, false}}, kCet}},
        {"no footer: the last listed type holds", {-330, 0, 0, {}, {}}, "",
         {{at(1945, 10, 15)}, {1}, {{0, false}, {19800, false}}, ""}},
    };
    for (const Case &c : cases) {
        const YearRule rule = RuleOf(c.data);
        EXPECT_EQ(rule.rule, c.expected) << c.what;
        const std::string reason = rule.approximations.empty() ? "" : rule.approximations[0];
        EXPECT_EQ(reason.empty(), *c.approximation == '\0') << c.what;
        EXPECT_NE(reason.find(c.approximation), std::string::npos) << c.what;
    }
    EXPECT_FALSE(ZoneTimeline::FromTzif(TzifData{{}, {}, {LocalType{}}, "not a rule"}));
}

}  // namespace
}  // namespace kelvane::builder
