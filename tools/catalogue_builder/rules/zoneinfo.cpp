#include "rules/zoneinfo.h"

#include <fstream>

#include "rules/tzif_file.h"
#include "rules/year_rule.h"

namespace kelvane::builder {

std::optional<ZoneTimeline> ReadZoneTimeline(const std::filesystem::path &zoneinfo, const std::string &zone,
                                             std::string *problem) {
    if (zone.empty() || zone.find("..") != std::string::npos || zone.front() == '/') {
        *problem = "\"" + zone + "\" is not a zone name";
        return std::nullopt;
    }
    const std::filesystem::path path = zoneinfo / zone;
    const auto data = ReadTzifFile(path);
    if (!data) {
        *problem = path.string() + ": missing, or not a TZif file of version 2 or later";
        return std::nullopt;
    }
    auto timeline = ZoneTimeline::FromTzif(*data);
    if (!timeline) *problem = path.string() + ": its rule \"" + data->footer + "\" cannot be read";
    return timeline;
}

std::optional<YearRule> ReadYearRule(const std::filesystem::path &zoneinfo, const std::string &zone,
                                     std::int64_t year, std::string *problem) {
    const auto timeline = ReadZoneTimeline(zoneinfo, zone, problem);
    if (!timeline) return std::nullopt;
    return RuleForYear(*timeline, year);
}

std::string TzdataVersion(const std::filesystem::path &zoneinfo) {
    std::ifstream in(zoneinfo / "tzdata.zi");
    std::string line;
    const std::string prefix = "# version ";
    if (std::getline(in, line) && line.rfind(prefix, 0) == 0 && line.size() > prefix.size())
        return line.substr(prefix.size());
    return "unknown";
}

}  // namespace kelvane::builder
