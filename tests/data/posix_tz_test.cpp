// The POSIX rules at the end of the zone files: what is accepted, what each
// part means, and the instants each rule gives, checked against glibc's own
// reading of the same rule.
#include "rules/posix_tz.h"

#include <gtest/gtest.h>

#include "rules/civil_time.h"
#include "rules/zone_timeline.h"
#include "support/glibc_zone.h"

namespace kelvane::builder {
namespace {

TEST(ParsePosixTz, ReadsNamesOffsetsAndDates) {
    const auto tz = ParsePosixTz("CET-1CEST,M3.5.0,M10.5.0/3");
    ASSERT_TRUE(tz);
    EXPECT_EQ(tz->standardName, "CET");
    EXPECT_EQ(tz->standardOffset, 3600);  // POSIX counts west: "-1" is UTC+01:00
    ASSERT_TRUE(tz->hasDaylight);
    EXPECT_EQ(tz->daylightName, "CEST");
    EXPECT_EQ(tz->daylightOffset, 7200);  // an hour ahead when not given
    EXPECT_EQ(tz->start.form, DateForm::MonthWeekDay);
    EXPECT_EQ(tz->start.month, 3u);
    EXPECT_EQ(tz->start.week, 5u);
    EXPECT_EQ(tz->start.weekday, 0u);
    EXPECT_EQ(tz->start.time, 7200);  // 02:00 when not given
    EXPECT_EQ(tz->end.time, 3 * 3600);
}

TEST(ParsePosixTz, ReadsQuotedNamesMinutesAndExtendedTimes) {
    const auto howe = ParsePosixTz("<+1030>-10:30<+11>-11,M10.1.0,M4.1.0");
    ASSERT_TRUE(howe);
    EXPECT_EQ(howe->standardName, "+1030");
    EXPECT_EQ(howe->standardOffset, 37800);
    EXPECT_EQ(howe->daylightOffset, 39600);

    const auto nuuk = ParsePosixTz("<-02>2<-01>,M3.5.0/-1,M10.5.0/0");
    ASSERT_TRUE(nuuk);
    EXPECT_EQ(nuuk->standardOffset, -7200);
    EXPECT_EQ(nuuk->start.time, -3600);
    EXPECT_FALSE(nuuk->start.IsWholeHourWeekday());
    EXPECT_TRUE(nuuk->end.IsWholeHourWeekday());

    const auto odd = ParsePosixTz("XST5XDT,J60/2:30:15,300/167");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->start.form, DateForm::JulianNoLeap);
    EXPECT_EQ(odd->start.dayOfYear, 60u);
    EXPECT_EQ(odd->start.time, 2 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(odd->end.form, DateForm::ZeroBasedDay);
    EXPECT_EQ(odd->end.dayOfYear, 300u);
    EXPECT_EQ(odd->end.time, 167 * 3600);
}

TEST(ParsePosixTz, ReadsFixedOffsets) {
    for (const auto &[text, offset] : {std::pair{"UTC0", 0}, std::pair{"<+01>-1", 3600}, std::pair{"<-0930>9:30", -34200},
                                       std::pair{"<+0545>-5:45", 20700}}) {
        const auto tz = ParsePosixTz(text);
        ASSERT_TRUE(tz) << text;
        EXPECT_FALSE(tz->hasDaylight) << text;
        EXPECT_EQ(tz->standardOffset, offset) << text;
    }
}

TEST(ParsePosixTz, RefusesWhatIsNotACompleteRule) {
    for (const char *text : {"", "EST", "ES5", "<AB>5", "<+01", "EST5EDT", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
                             "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J300",
                             "EST5EDT,366,J300", "EST5EDT,M3.2.0/168,M11.1.0", "EST5EDT,M3.2.0,M11.1.0x",
                             "EST25", "EST5EDT,M3.2.0/2:60,M11.1.0"}) {
        EXPECT_FALSE(ParsePosixTz(text)) << text;
    }
}

TEST(LocalChangeTime, CountsDaysTheThreeWays) {
    struct Case {
        const char *rule;
        std::int64_t year;
        unsigned month, day;
        std::int64_t secondsOfDay;
    };
    const Case cases[] = {
        {"AAA0BBB,M3.5.0,J1", 2026, 3, 29, 7200},       // last Sunday of March 2026
        {"AAA0BBB,M3.4.0,J1", 2026, 3, 22, 7200},       // fourth Sunday
        {"AAA0BBB,M2.5.0,J1", 2026, 2, 22, 7200},       // February 2026 has four Sundays
        {"AAA0BBB,M3.4.4/26,J1", 2026, 3, 27, 7200},    // Thursday 26 March + 26 h
        {"AAA0BBB,M3.5.0/-1,J1", 2026, 3, 28, 23 * 3600},
        {"AAA0BBB,J60,J1", 2024, 3, 1, 7200},           // 29 February never counted
        {"AAA0BBB,J60,J1", 2026, 3, 1, 7200},
        {"AAA0BBB,59,J1", 2024, 2, 29, 7200},           // zero-based, 29 February counted
        {"AAA0BBB,59,J1", 2026, 3, 1, 7200},
        {"AAA0BBB,365,J1", 2024, 12, 31, 7200},
    };
    for (const Case &c : cases) {
        const auto tz = ParsePosixTz(c.rule);
        ASSERT_TRUE(tz) << c.rule;
        EXPECT_EQ(LocalChangeTime(tz->start, c.year), SecondsFromCivil(c.year, c.month, c.day, c.secondsOfDay))
            << c.rule << " in " << c.year;
    }
}

// glibc reads the same rules; both must give the same instants every year.
TEST(FooterChangesInYear, AgreesWithGlibc) {
    const char *rules[] = {
        "CET-1CEST,M3.5.0,M10.5.0/3",        "EST5EDT,M3.2.0,M11.1.0",
        "AEST-10AEDT,M10.1.0,M4.1.0/3",      "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",
        "IST-2IDT,M3.4.4/26,M10.5.0",        "EET-2EEST,M4.5.5/0,M10.5.4/24",
        "<-04>4<-03>,M9.1.6/24,M4.1.6/24",   "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
        "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "XST5XDT,J60/2:30,300",
        "EET-2EEST,M3.4.4/50,M10.4.4/50",    "NZST-12NZDT,M9.5.0,M4.1.0/3",
    };
    for (const char *rule : rules) {
        const auto tz = ParsePosixTz(rule);
        ASSERT_TRUE(tz) << rule;
        const test::GlibcZone glibc(rule);
        for (std::int64_t year = 2024; year <= 2028; ++year) {
            const FooterYear ours = FooterChangesInYear(*tz, year);
            const auto theirs =
                glibc.Changes(SecondsFromCivil(year, 1, 1) - 86400 * 2, SecondsFromCivil(year + 1, 1, 1) + 86400 * 2);
            bool startSeen = false, endSeen = false;
            for (const auto &change : theirs) {
                startSeen |= change.at == ours.daylightStart && change.daylightAfter;
                endSeen |= change.at == ours.daylightEnd && !change.daylightAfter;
            }
            EXPECT_TRUE(startSeen) << rule << " daylight start " << year;
            EXPECT_TRUE(endSeen) << rule << " daylight end " << year;
        }
    }
}

}  // namespace
}  // namespace kelvane::builder
