#include "support/glibc_zone.h"

#include <time.h>

namespace kelvane::test {

GlibcZone::Local GlibcZone::At(std::int64_t instant) const {
    const time_t t = static_cast<time_t>(instant);
    struct tm tm {};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_gmtoff, tm.tm_isdst > 0};
}

std::vector<GlibcZone::Change> GlibcZone::Changes(std::int64_t from, std::int64_t to) const {
    constexpr std::int64_t kStep = 900;  // no zone changes twice within a quarter of an hour
    std::vector<Change> changes;
    Local before = At(from);
    for (std::int64_t t = from + kStep; t - kStep < to; t += kStep) {
        const Local after = At(t);
        if (after.utcOffset != before.utcOffset || after.daylight != before.daylight) {
            std::int64_t lo = t - kStep, hi = t;  // At(lo) is the old time, At(hi) the new
            while (hi - lo > 1) {
                const std::int64_t mid = lo + (hi - lo) / 2;
                const Local m = At(mid);
                (m.utcOffset == before.utcOffset && m.daylight == before.daylight ? lo : hi) = mid;
            }
            if (hi >= from && hi < to) changes.push_back({hi, before.utcOffset, after.utcOffset, after.daylight});
        }
        before = after;
    }
    return changes;
}

}  // namespace kelvane::test
