// A year's catalogue rule from a zone's changes: the exact rules, the
// converted ones (with the instants they must keep), and the patterns that
// can only be approximated.
#include "rules/year_rule.h"

#include <gtest/gtest.h>

#include "Kelvane.h"
#include "rules/civil_time.h"
#include "rules/zone_timeline.h"
#include "support/glibc_zone.h"

namespace kelvane::builder {
namespace {
constexpr std::int64_t kYear = 2026;

ZoneTimeline Timeline(const TzifData &data) {
    auto zone = ZoneTimeline::FromTzif(data);
    EXPECT_TRUE(zone) << data.footer;
    return zone ? *zone : *ZoneTimeline::FromTzif(TzifData{{}, {}, {LocalType{}}, ""});
}

ZoneTimeline FooterOnly(const std::string &footer, LocalType before = {}) {
    return Timeline(TzifData{{}, {}, {before}, footer});
}

// The instant a changeover names in the year, decoded by the engine's own
// calendar (week 5: the last weekday), in the local time given.
std::int64_t Decoded(const Changeover &c, std::int32_t utcOffsetBefore) {
    const std::uint16_t day = GetDateFromWeekInfo(kYear, c.month, c.week, c.weekday);
    return SecondsFromCivil(kYear, c.month, day, c.hour * 3600) - utcOffsetBefore;
}

struct ExactCase {
    const char *footer;
    CatalogueRule expected;
    std::size_t approximations;
};

void PrintTo(const ExactCase &c, std::ostream *out) { *out << c.footer; }

class FooterRule : public ::testing::TestWithParam<ExactCase> {};

TEST_P(FooterRule, IsEncodedAndKeepsTheInstantsGlibcSees) {
    const ExactCase &c = GetParam();
    const YearRule rule = RuleForYear(FooterOnly(c.footer), kYear);
    EXPECT_EQ(rule.rule, c.expected);
    EXPECT_EQ(rule.approximations.size(), c.approximations);
    if (!c.expected.HasDaylight()) return;
    const std::int32_t standard = -60 * rule.rule.bias, daylight = -60 * (rule.rule.bias + rule.rule.daylightBias);
    const test::GlibcZone glibc(c.footer);
    const auto changes = glibc.Changes(SecondsFromCivil(kYear, 1, 1), SecondsFromCivil(kYear + 1, 1, 1));
    ASSERT_EQ(changes.size(), 2u);
    for (const auto &change : changes) {
        const std::int64_t ours = change.daylightAfter ? Decoded(rule.rule.daylightStart, standard)
                                                       : Decoded(rule.rule.standardStart, daylight);
        EXPECT_EQ(ours, change.at) << (change.daylightAfter ? "daylight start" : "standard start");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, FooterRule,
    ::testing::Values(
        // Whole-hour weekday rules are the zone's own, in both hemispheres.
        ExactCase{"CET-1CEST,M3.5.0,M10.5.0/3", {-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}}, 0},
        ExactCase{"AEST-10AEDT,M10.1.0,M4.1.0/3", {-600, 0, -60, {4, 1, 0, 3}, {10, 1, 0, 2}}, 0},
        ExactCase{"EST5EDT,M3.2.0,M11.1.0", {300, 0, -60, {11, 1, 0, 2}, {3, 2, 0, 2}}, 0},
        // A fourth Sunday that is also the last stays the fourth.
        ExactCase{"EST5EDT,M2.4.0,M11.1.0", {300, 0, -60, {11, 1, 0, 2}, {2, 4, 0, 2}}, 0},
        // Half-hour daylight shift; offsets with minutes.
        ExactCase{"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", {-630, 0, -30, {4, 1, 0, 2}, {10, 1, 0, 2}}, 0},
        // Negative daylight time: standard time in summer, "daylight" time in winter.
        ExactCase{"IST-1GMT0,M10.5.0,M3.5.0/1", {-60, 0, 60, {3, 5, 0, 1}, {10, 5, 0, 2}}, 0},
        // Converted: the same instants in 2026 as the n-th weekday and hour.
        ExactCase{"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", {120, 0, -60, {10, 5, 0, 0}, {3, 5, 6, 23}}, 1},
        ExactCase{"IST-2IDT,M3.4.4/26,M10.5.0", {-120, 0, -60, {10, 5, 0, 2}, {3, 5, 5, 2}}, 1},
        ExactCase{"EET-2EEST,M4.5.5/0,M10.5.4/24", {-120, 0, -60, {10, 5, 5, 0}, {4, 5, 5, 0}}, 1},
        ExactCase{"<-04>4<-03>,M9.1.6/24,M4.1.6/24", {240, 0, -60, {4, 1, 0, 0}, {9, 1, 0, 0}}, 2},
        ExactCase{"XST5XDT,J60,300/1", {300, 0, -60, {10, 5, 3, 1}, {3, 1, 0, 2}}, 2},
        // Fixed offsets.
        ExactCase{"<+0545>-5:45", {-345, 0, 0, {}, {}}, 0},
        ExactCase{"UTC0", {0, 0, 0, {}, {}}, 0}));

TEST(RuleForYear, RoundsChangesWithinAnHourSoThatNoRealHourIsMisjudged) {
    // 02:45 standard time jumps to 03:45: hour 2 is still standard, so the
    // start is 03:00. 03:45 daylight time falls back to 02:45: from 03:00 the
    // hour is repeated, so the end is 03:00.
    const YearRule rule = RuleForYear(FooterOnly("<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45"), kYear);
    EXPECT_EQ(rule.rule.daylightStart, (Changeover{9, 5, 0, 3}));
    EXPECT_EQ(rule.rule.standardStart, (Changeover{4, 1, 0, 3}));
    EXPECT_EQ(rule.rule.bias, -765);
    EXPECT_EQ(rule.approximations.size(), 3u);
}

TEST(RuleForYear, TakesListedChangesTheFooterDoesNotGive) {
    // Morocco: +01 all year but for a month around Ramadan at +00, listed
    // change by change before a footer that knows nothing of it.
    TzifData data;
    data.types = {{3600, false}, {0, true}};
    data.transitionTimes = {SecondsFromCivil(kYear, 2, 15, 2 * 3600), SecondsFromCivil(kYear, 3, 22, 2 * 3600)};
    data.transitionTypes = {1, 0};
    data.footer = "<+01>-1";
    const YearRule rule = RuleForYear(Timeline(data), kYear);
    EXPECT_EQ(rule.rule, (CatalogueRule{-60, 0, 60, {3, 4, 0, 2}, {2, 3, 0, 3}}));
    ASSERT_EQ(rule.approximations.size(), 1u);
    EXPECT_NE(rule.approximations[0].find("listed one by one"), std::string::npos);
}

TEST(RuleForYear, KeepsListedChangesThatTheFooterAlsoGives) {
    // As Debian's files list the footer's changes up to 2037.
    const auto tz = ParsePosixTz("CET-1CEST,M3.5.0,M10.5.0/3");
    const FooterYear year = FooterChangesInYear(*tz, kYear);
    TzifData data;
    data.types = {{3600, false}, {7200, true}};
    data.transitionTimes = {year.daylightStart, year.daylightEnd};
    data.transitionTypes = {1, 0};
    data.footer = "CET-1CEST,M3.5.0,M10.5.0/3";
    const YearRule rule = RuleForYear(Timeline(data), kYear);
    EXPECT_EQ(rule.rule, (CatalogueRule{-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}}));
    EXPECT_TRUE(rule.approximations.empty());
}

TEST(RuleForYear, TakesTheEndOfTheYearWhenTheChangesAreNoDaylightPeriod) {
    TzifData moved;  // one change of standard offset in June
    moved.types = {{7200, false}, {10800, false}};
    moved.transitionTimes = {SecondsFromCivil(kYear, 6, 1)};
    moved.transitionTypes = {1};
    moved.footer = "<+03>-3";
    const YearRule fixed = RuleForYear(Timeline(moved), kYear);
    EXPECT_EQ(fixed.rule, (CatalogueRule{-180, 0, 0, {}, {}}));
    ASSERT_FALSE(fixed.approximations.empty());
    EXPECT_NE(fixed.approximations[0].find("1 change(s)"), std::string::npos);

    TzifData adopted;  // daylight time adopted in the middle of the year
    adopted.types = {{7200, false}, {3600, false}};
    adopted.transitionTimes = {SecondsFromCivil(kYear, 2, 1)};
    adopted.transitionTypes = {1};
    adopted.footer = "CET-1CEST,M3.5.0,M10.5.0/3";
    const YearRule rule = RuleForYear(Timeline(adopted), kYear);
    EXPECT_EQ(rule.rule, (CatalogueRule{-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}}));
    ASSERT_FALSE(rule.approximations.empty());
    EXPECT_NE(rule.approximations[0].find("3 change(s)"), std::string::npos);
}

TEST(RuleForYear, ReadsAFixedZoneFromItsListedHistory) {
    TzifData data;  // no footer: the last listed type holds
    data.types = {{0, false}, {19800, false}};
    data.transitionTimes = {SecondsFromCivil(1945, 10, 15)};
    data.transitionTypes = {1};
    const YearRule rule = RuleForYear(Timeline(data), kYear);
    EXPECT_EQ(rule.rule, (CatalogueRule{-330, 0, 0, {}, {}}));
    EXPECT_TRUE(rule.approximations.empty());
}

TEST(ZoneTimeline, RefusesAnUnreadableFooter) {
    EXPECT_FALSE(ZoneTimeline::FromTzif(TzifData{{}, {}, {LocalType{}}, "not a rule"}));
}

}  // namespace
}  // namespace kelvane::builder
