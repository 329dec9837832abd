// The POSIX rules at the end of the zone files: what is refused, and the
// offsets and instants each accepted rule gives, against glibc's own reading.
#include "rules/posix_tz.h"

#include <gtest/gtest.h>

#include "rules/civil_time.h"
#include "rules/zone_timeline.h"
#include "support/glibc_zone.h"

namespace kelvane::builder {
namespace {

TEST(ParsePosixTz, RefusesWhatIsNotACompleteRule) {
    for (const char *text :
         {"", "EST", "ES5", "<AB>5", "<+01", "EST5EDT", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
          "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J300", "EST5EDT,366,J300",
          "EST5EDT,M3.2.0/168,M11.1.0", "EST5EDT,M3.2.0,M11.1.0x", "EST25", "EST5EDT,M3.2.0/2:60,M11.1.0"}) {
        EXPECT_FALSE(ParsePosixTz(text)) << text;
    }
}

// Fixed rules: the offset. Daylight rules: both changes of every year, to the second.
TEST(ParsePosixTz, AgreesWithGlibc) {
    const char *rules[] = {
        "UTC0",
        "<+01>-1",
        "<-0930>9:30",
        "<+0545>-5:45",
        "CET-1CEST,M3.5.0,M10.5.0/3",
        "EST5EDT,M3.2.0,M11.1.0",
        "AEST-10AEDT,M10.1.0,M4.1.0/3",
        "NZST-12NZDT,M9.5.0,M4.1.0/3",
        "EST5EDT,M2.5.0,M11.1.0",  // February's last Sunday is its fourth in 2026
        "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",
        "IST-2IDT,M3.4.4/26,M10.5.0",
        "EET-2EEST,M4.5.5/0,M10.5.4/24",
        "EET-2EEST,M3.4.4/50,M10.4.4/50",
        "<-04>4<-03>,M9.1.6/24,M4.1.6/24",
        "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
        "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
        "XST5XDT,J60/2:30:15,300/167",
        "XST5XDT,59,364",  // zero-based: 29 February and 30 December count in leap years
    };
    for (const char *rule : rules) {
        const auto tz = ParsePosixTz(rule);
        ASSERT_TRUE(tz) << rule;
        const test::GlibcZone glibc(rule);
        if (!tz->hasDaylight) {
            EXPECT_EQ(tz->standardOffset, glibc.At(0).utcOffset) << rule;
            continue;
        }
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
