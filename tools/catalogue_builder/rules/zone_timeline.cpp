#include "rules/zone_timeline.h"

#include <algorithm>

#include "rules/civil_time.h"

namespace kelvane::builder {
namespace {
std::int64_t YearOf(std::int64_t instant) { return CivilFromSeconds(instant).year; }
}  // namespace

std::optional<ZoneTimeline> ZoneTimeline::FromTzif(const TzifData &data) {
    ZoneTimeline zone;
    zone.times_ = data.transitionTimes;
    for (std::uint8_t type : data.transitionTypes) zone.typeAfter_.push_back(data.types[type]);
    zone.initial_ = data.types.front();
    zone.footerText_ = data.footer;
    if (!data.footer.empty()) {
        zone.footer_ = ParsePosixTz(data.footer);
        if (!zone.footer_) return std::nullopt;
    }
    return zone;
}

bool ZoneTimeline::FooterGoverns(std::int64_t instant) const {
    return footer_ && (times_.empty() || instant > times_.back());
}

LocalType ZoneTimeline::At(std::int64_t instant) const {
    if (FooterGoverns(instant)) return RuleTypeAt(*footer_, instant);
    const auto after = std::upper_bound(times_.begin(), times_.end(), instant);
    if (after == times_.begin()) return initial_;
    return typeAfter_[static_cast<std::size_t>(after - times_.begin()) - 1];
}

std::vector<std::int64_t> ZoneTimeline::FooterChanges(std::int64_t from, std::int64_t to) const {
    std::vector<std::int64_t> changes;
    if (!footer_ || !footer_->hasDaylight) return changes;
    for (std::int64_t y = YearOf(from) - 1; y <= YearOf(to) + 1; ++y) {
        const FooterYear year = FooterChangesInYear(*footer_, y);
        for (std::int64_t at : {year.daylightStart, year.daylightEnd})
            if (at >= from && at < to && FooterGoverns(at)) changes.push_back(at);
    }
    return changes;
}

std::vector<Transition> ZoneTimeline::Between(std::int64_t from, std::int64_t to) const {
    std::vector<std::int64_t> instants = FooterChanges(from, to);
    for (std::int64_t at : times_)
        if (at >= from && at < to) instants.push_back(at);
    // The first footer instant after the last listed transition may be the
    // very end of that transition's reign: include the hand-over itself.
    if (footer_ && !times_.empty() && times_.back() + 1 >= from && times_.back() + 1 < to)
        instants.push_back(times_.back() + 1);
    std::sort(instants.begin(), instants.end());
    instants.erase(std::unique(instants.begin(), instants.end()), instants.end());
    std::vector<Transition> changes;
    for (std::int64_t at : instants) {
        const Transition t{at, At(at - 1), At(at)};
        if (t.before != t.after) changes.push_back(t);
    }
    return changes;
}

}  // namespace kelvane::builder
