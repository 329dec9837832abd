#include "rules/year_fit.h"

#include "calendar/civil_calendar.h"
#include "rules/year_rule.h"

namespace kelvane::builder {

YearSignature SignatureOfYear(const ZoneTimeline &zone, std::int64_t year) {
    const std::int64_t start = SecondsFromCivil(year, 1, 1), end = SecondsFromCivil(year + 1, 1, 1);
    YearSignature signature{zone.At(start).utcOffset, {}};
    for (const Transition &t : zone.Between(start, end))
        if (t.after.utcOffset != t.before.utcOffset) signature.changes.push_back({t.at, t.after.utcOffset});
    return signature;
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
