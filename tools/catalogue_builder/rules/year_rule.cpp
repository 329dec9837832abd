#include "rules/year_rule.h"

#include <optional>

#include "rules/changeover.h"
#include "calendar/civil_calendar.h"

namespace kelvane::builder {
namespace {
struct DaylightPeriod {
    Transition into, out;
};

// Seconds east of UTC as a bias in minutes; false when not whole minutes.
bool BiasOf(std::int32_t utcOffset, std::int32_t *bias) {
    *bias = -(utcOffset / 60);
    return utcOffset % 60 == 0;
}

std::vector<Transition> ChangesInYear(const ZoneTimeline &zone, std::int64_t year) {
    const std::int64_t start = SecondsFromCivil(year, 1, 1), end = SecondsFromCivil(year + 1, 1, 1);
    std::vector<Transition> changes;
    for (const Transition &t : zone.Between(start - kSecondsPerDay, end + kSecondsPerDay))
        if (CivilFromSeconds(t.at + t.before.utcOffset).year == year) changes.push_back(t);
    return changes;
}

std::optional<DaylightPeriod> AsDaylightPeriod(const std::vector<Transition> &changes) {
    if (changes.size() != 2) return std::nullopt;
    for (int first = 0; first < 2; ++first) {
        const Transition &into = changes[first], &out = changes[1 - first];
        if (!into.before.isDaylight && into.after.isDaylight && out.before == into.after && out.after == into.before)
            return DaylightPeriod{into, out};
    }
    return std::nullopt;
}

YearRule FixedRule(const LocalType &type) {
    YearRule result;
    if (!BiasOf(type.utcOffset, &result.rule.bias))
        result.approximations.push_back("offset of " + std::to_string(type.utcOffset) + " s cut to whole minutes");
    return result;
}

// Whether the footer's rule gives exactly this year's period.
bool FooterGives(const ZoneTimeline &zone, std::int64_t year, const DaylightPeriod &p) {
    const auto &tz = zone.Footer();
    if (!tz || !tz->hasDaylight || tz->standardOffset != p.into.before.utcOffset ||
        tz->daylightOffset != p.into.after.utcOffset)
        return false;
    const FooterYear changes = FooterChangesInYear(*tz, year);
    return changes.daylightStart == p.into.at && changes.daylightEnd == p.out.at;
}

// Keeps the footer's week where it names the date itself (a 4th Sunday
// that is also the last stays "4th"), so the rule holds in other years too.
void KeepFooterWeek(const PosixDate &date, Changeover *c, const char *which, YearRule *result) {
    if (date.IsWholeHourWeekday()) {
        c->week = static_cast<std::uint16_t>(date.week);
        return;
    }
    result->approximations.push_back(std::string(which) + " is not an n-th weekday at a whole hour in the zone's rule; stored as " +
                                     DescribeChangeover(*c));
}

YearRule DaylightRule(const ZoneTimeline &zone, std::int64_t year, const DaylightPeriod &p) {
    const std::int32_t standard = p.into.before.utcOffset, daylight = p.into.after.utcOffset;
    const EncodedChangeover start = EncodeChangeover(p.into.at + standard, daylight > standard);
    const EncodedChangeover end = EncodeChangeover(p.out.at + daylight, standard > daylight);
    YearRule result;
    std::int32_t daylightBias = 0;
    const bool wholeMinutes = BiasOf(standard, &result.rule.bias) && BiasOf(daylight, &daylightBias);
    result.rule.daylightBias = daylightBias - result.rule.bias;
    result.rule.daylightStart = start.changeover;
    result.rule.standardStart = end.changeover;
    if (!wholeMinutes) result.approximations.push_back("offsets cut to whole minutes");
    if (!start.exact || !end.exact) result.approximations.push_back("changes within an hour rounded to whole hours");
    if (FooterGives(zone, year, p)) {
        KeepFooterWeek(zone.Footer()->start, &result.rule.daylightStart, "daylight start", &result);
        KeepFooterWeek(zone.Footer()->end, &result.rule.standardStart, "standard start", &result);
    } else {
        result.approximations.push_back("the changes of " + std::to_string(year) +
                                        " are listed one by one in the zone file, not given by its rule \"" +
                                        zone.FooterText() + "\"; stored as daylight start " +
                                        DescribeChangeover(start.changeover) + ", standard start " +
                                        DescribeChangeover(end.changeover) + ", right for that year only");
    }
    return result;
}

// Any other pattern: the rule in force at the end of the year.
YearRule EndOfYearRule(const ZoneTimeline &zone, std::int64_t year, std::size_t changeCount) {
    const std::int64_t end = SecondsFromCivil(year + 1, 1, 1);
    const std::string why = std::to_string(changeCount) + " change(s) of local time in " + std::to_string(year) +
                            " do not form one daylight period; ";
    const auto &tz = zone.Footer();
    YearRule result;
    if (zone.FooterGoverns(end - 1) && tz && tz->hasDaylight) {
        const FooterYear changes = FooterChangesInYear(*tz, year);
        const LocalType standard{tz->standardOffset, false}, daylight{tz->daylightOffset, true};
        result = DaylightRule(zone, year, {{changes.daylightStart, standard, daylight}, {changes.daylightEnd, daylight, standard}});
        result.approximations.insert(result.approximations.begin(), why + "stored the zone's rule \"" + zone.FooterText() + "\"");
    } else {
        result = FixedRule(zone.At(end - 1));
        result.approximations.insert(result.approximations.begin(), why + "stored the offset in force at the end of the year");
    }
    result.givesTheYear = false;
    return result;
}
}  // namespace

YearRule RuleForYear(const ZoneTimeline &zone, std::int64_t year) {
    const std::vector<Transition> changes = ChangesInYear(zone, year);
    if (changes.empty()) return FixedRule(zone.At(SecondsFromCivil(year, 1, 1)));
    if (const auto period = AsDaylightPeriod(changes)) return DaylightRule(zone, year, *period);
    return EndOfYearRule(zone, year, changes.size());
}

}  // namespace kelvane::builder
