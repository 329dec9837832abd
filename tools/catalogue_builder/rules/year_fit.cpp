#include "rules/year_fit.h"

#include <algorithm>

#include "rules/civil_time.h"
#include "rules/year_rule.h"

namespace kelvane::builder {

YearSignature SignatureOfYear(const ZoneTimeline &zone, std::int64_t year) {
    const std::int64_t start = SecondsFromCivil(year, 1, 1), end = SecondsFromCivil(year + 1, 1, 1);
    YearSignature signature{zone.At(start).utcOffset, {}};
    for (const Transition &t : zone.Between(start, end))
        if (t.after.utcOffset != t.before.utcOffset) signature.changes.push_back({t.at, t.after.utcOffset});
    return signature;
}

namespace {
// The UTC instant of a changeover in a year, given the bias (minutes) of the
// local time it is counted in.
std::int64_t ChangeoverInstant(const Changeover &c, std::int64_t year, std::int32_t bias) {
    const unsigned day = NthWeekday(year, c.month, c.week, c.weekday);
    return SecondsFromCivil(year, c.month, day, c.hour * std::int64_t{3600}) + bias * std::int64_t{60};
}
}  // namespace

YearSignature SignatureOfRule(const CatalogueRule &rule, std::int64_t year) {
    const std::int32_t standardOffset = -60 * (rule.bias + rule.standardBias);
    const std::int32_t daylightOffset = -60 * (rule.bias + rule.daylightBias);
    if (!rule.HasDaylight()) return {-60 * rule.bias, {}};
    // The changes of the year before, the year and the year after, in order.
    std::vector<YearSignature::Change> changes;
    for (std::int64_t y = year - 1; y <= year + 1; ++y) {
        changes.push_back({ChangeoverInstant(rule.daylightStart, y, rule.bias + rule.standardBias), daylightOffset});
        changes.push_back({ChangeoverInstant(rule.standardStart, y, rule.bias + rule.daylightBias), standardOffset});
    }
    std::sort(changes.begin(), changes.end(), [](const auto &a, const auto &b) { return a.at < b.at; });
    const std::int64_t start = SecondsFromCivil(year, 1, 1), end = SecondsFromCivil(year + 1, 1, 1);
    YearSignature signature{standardOffset, {}};
    for (const YearSignature::Change &c : changes) {
        if (c.at < start) signature.utcOffsetAtStart = c.utcOffset;
        else if (c.at < end) signature.changes.push_back(c);
    }
    return signature;
}

bool DaylightStateDiffers(const ZoneTimeline &zone, const CatalogueRule &rule, std::int64_t year) {
    const YearSignature ruled = SignatureOfRule(rule, year);
    const std::int32_t daylightOffset = -60 * (rule.bias + rule.daylightBias);
    const std::int64_t start = SecondsFromCivil(year, 1, 1), end = SecondsFromCivil(year + 1, 1, 1);
    std::vector<std::int64_t> bounds{start, end};
    for (const Transition &t : zone.Between(start, end)) bounds.push_back(t.at);
    for (const YearSignature::Change &c : ruled.changes) bounds.push_back(c.at);
    std::sort(bounds.begin(), bounds.end());
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        if (bounds[i] == bounds[i + 1]) continue;
        const LocalType own = zone.At(bounds[i]);
        std::int32_t offset = ruled.utcOffsetAtStart;
        for (const YearSignature::Change &c : ruled.changes)
            if (c.at <= bounds[i]) offset = c.utcOffset;
        const bool ruleDaylight = rule.HasDaylight() && offset == daylightOffset;
        if (own.utcOffset == offset && own.isDaylight != ruleDaylight) return true;
    }
    return false;
}

std::vector<std::int64_t> YearsWithTheSameRule(const ZoneTimeline &zone, std::int64_t year, std::int64_t last) {
    const CatalogueRule rule = RuleForYear(zone, year).rule;
    std::vector<std::int64_t> years;
    for (std::int64_t y = year; y <= last; ++y) {
        const YearRule other = RuleForYear(zone, y);
        if (other.givesTheYear && other.rule == rule) years.push_back(y);
    }
    return years;
}

}  // namespace kelvane::builder
