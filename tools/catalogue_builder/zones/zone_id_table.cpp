#include "zones/zone_id_table.h"

#include <set>
#include <sstream>

namespace kelvane::builder {
namespace {
constexpr const char *kHeader =
    "# Catalogue identifiers (TZID) of the Windows time zones: TZID, a tab, the Windows zone,\n"
    "# a tab, the IANA zone whose rules and names the last regeneration took (for reference).\n"
    "# The catalogue builder keeps this table: a new zone gets the number after the highest\n"
    "# ever given, and no row is ever removed or renumbered, so identifiers stay stable.\n"
    "# Edit by hand only to add rows; see data/README.md.\n";

bool ParseId(const std::string &text, std::uint16_t *id) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long value = std::stoul(text);
    *id = static_cast<std::uint16_t>(value);
    return value >= 1 && value <= kHighestSystemZoneId;
}
}  // namespace

std::optional<ZoneIdTable> ZoneIdTable::Parse(const std::string &text, std::string *problem) {
    ZoneIdTable table;
    std::set<std::uint16_t> numbers;
    std::istringstream in(text);
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        const auto secondTab = tab == std::string::npos ? tab : line.find('\t', tab + 1);
        std::uint16_t id = 0;
        const std::string zone = tab == std::string::npos ? std::string() : line.substr(tab + 1, secondTab - tab - 1);
        const std::string source = secondTab == std::string::npos ? std::string() : line.substr(secondTab + 1);
        if (tab == std::string::npos || !ParseId(line.substr(0, tab), &id) || zone.empty() ||
            source.find('\t') != std::string::npos) {
            *problem = "line " + std::to_string(lineNumber) + ": not \"TZID<TAB>zone[<TAB>IANA zone]\" with TZID 1 to 9999";
            return std::nullopt;
        }
        if (!source.empty()) table.sources_[zone] = source;
        if (!numbers.insert(id).second || !table.ids_.emplace(zone, id).second) {
            *problem = "line " + std::to_string(lineNumber) + ": number or zone listed twice";
            return std::nullopt;
        }
        if (id > table.highest_) table.highest_ = id;
    }
    return table;
}

std::uint16_t ZoneIdTable::IdOf(const std::string &windowsZone) const {
    const auto it = ids_.find(windowsZone);
    return it == ids_.end() ? 0 : it->second;
}

std::vector<std::string> ZoneIdTable::Assign(const std::vector<std::string> &windowsZones) {
    std::vector<std::string> added;
    for (const std::string &zone : windowsZones) {
        if (IdOf(zone) != 0 || highest_ == kHighestSystemZoneId) continue;
        ids_.emplace(zone, ++highest_);
        added.push_back(zone);
    }
    return added;
}

void ZoneIdTable::SetSource(const std::string &windowsZone, const std::string &ianaZone) {
    if (IdOf(windowsZone) != 0) sources_[windowsZone] = ianaZone;
}

std::string ZoneIdTable::SourceOf(const std::string &windowsZone) const {
    const auto it = sources_.find(windowsZone);
    return it == sources_.end() ? std::string() : it->second;
}

std::vector<ZoneIdTable::Row> ZoneIdTable::Rows() const {
    std::map<std::uint16_t, std::string> byNumber;
    for (const auto &[zone, id] : ids_) byNumber.emplace(id, zone);
    std::vector<Row> rows;
    for (const auto &[id, zone] : byNumber) rows.push_back({id, zone, SourceOf(zone)});
    return rows;
}

std::string ZoneIdTable::Text() const {
    std::string text = kHeader;
    for (const Row &row : Rows())
        text += std::to_string(row.id) + "\t" + row.windowsZone + (row.source.empty() ? "" : "\t" + row.source) + "\n";
    return text;
}

}  // namespace kelvane::builder
