// The catalogue identifiers (TZID) of the Windows time zones, kept in a
// committed table (zone_ids.tsv) so that they never change: not when the
// data is regenerated, not when ICU or CLDR renumber or reorder anything.
//
// The table is the only source of the numbers. A Windows zone that is not
// in it yet gets the number after the highest one the table has ever held;
// a zone that disappears from CLDR keeps its row, so its number is never
// given to another zone. The text form is "TZID<TAB>Windows zone" lines
// sorted by TZID, with '#' comment lines at the top. A third column names
// the IANA zone whose rules and names the last regeneration took for the
// zone; it is a record of where the data came from, not part of the key.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::builder {

class ZoneIdTable {
public:
    // nullopt, with the reason in *problem, for malformed lines, identifiers
    // outside 1 to 9999, or a number or zone listed twice.
    static std::optional<ZoneIdTable> Parse(const std::string &text, std::string *problem);

    // 0 when the zone has no number.
    std::uint16_t IdOf(const std::string &windowsZone) const;
    // Numbers the zones that have none, in the order given; returns them.
    std::vector<std::string> Assign(const std::vector<std::string> &windowsZones);
    // Records the IANA zone the zone's data was taken from.
    void SetSource(const std::string &windowsZone, const std::string &ianaZone);
    std::string SourceOf(const std::string &windowsZone) const;
    struct Row {
        std::uint16_t id;
        std::string windowsZone, source;
    };
    // Every row, by number.
    std::vector<Row> Rows() const;
    // The table's text: the comment header, then one line per zone by number.
    std::string Text() const;

private:
    std::map<std::string, std::uint16_t> ids_;
    std::map<std::string, std::string> sources_;
    std::uint16_t highest_ = 0;
};

inline constexpr std::uint16_t kHighestSystemZoneId = 9999;  // 10000 on are the user's

}  // namespace kelvane::builder
