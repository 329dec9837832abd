// A zone's local time over the years, as a TZif file defines it: the listed
// transitions up to the last one, the POSIX footer after it (RFC 8536).
//
// Debian's files list transitions up to 2037 even where the footer would
// give the same instants; where they do not (Morocco's and Palestine's
// yearly changes around Ramadan), only the listed transitions are right.
// Both sources are read here the way the C library reads them, so the rule
// derived for a year is the one the system's localtime applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/local_type.h"
#include "rules/posix_tz.h"
#include "rules/tzif_file.h"

namespace kelvane::builder {

class ZoneTimeline {
public:
    // nullopt when the footer is present but not a rule ParsePosixTz accepts.
    static std::optional<ZoneTimeline> FromTzif(const TzifData &data);

    LocalType At(std::int64_t instant) const;
    // The changes of local time with from <= at < to, in order.
    std::vector<Transition> Between(std::int64_t from, std::int64_t to) const;

    const std::optional<PosixTz> &Footer() const { return footer_; }
    const std::string &FooterText() const { return footerText_; }
    // Whether the footer rather than the listed transitions governs the instant.
    bool FooterGoverns(std::int64_t instant) const;

private:
    std::vector<std::int64_t> FooterChanges(std::int64_t from, std::int64_t to) const;

    std::vector<std::int64_t> times_;
    std::vector<LocalType> typeAfter_;  // the type each listed transition starts
    LocalType initial_;                 // before the first transition
    std::optional<PosixTz> footer_;
    std::string footerText_;
};

// Daylight start and end of the footer's rule in year (UTC instants).
using FooterYear = kelvane::RuleChanges;
inline FooterYear FooterChangesInYear(const PosixTz &tz, std::int64_t year) { return ChangesInYear(tz, year); }

}  // namespace kelvane::builder
