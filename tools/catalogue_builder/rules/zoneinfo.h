// A zone's catalogue rule for a year, read from the system's tz database
// (the TZif files under /usr/share/zoneinfo).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "rules/catalogue_rule.h"
#include "rules/zone_timeline.h"

namespace kelvane::builder {

inline constexpr const char *kSystemZoneinfo = "/usr/share/zoneinfo";

// nullopt, with the reason in *problem, when the zone's file is missing,
// not a TZif file of version 2 or later, or ends with a rule that cannot be read.
std::optional<ZoneTimeline> ReadZoneTimeline(const std::filesystem::path &zoneinfo, const std::string &zone,
                                             std::string *problem);
std::optional<YearRule> ReadYearRule(const std::filesystem::path &zoneinfo, const std::string &zone,
                                     std::int64_t year, std::string *problem);

// The database's version as its tzdata.zi names it ("2025b"), or "unknown".
std::string TzdataVersion(const std::filesystem::path &zoneinfo);

}  // namespace kelvane::builder
