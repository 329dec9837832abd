// The data set's notes for people and for the kelvane tool, UTF-8 text
// beside the engine's files: dataset.txt (the year of the rules and the
// versions of the sources) and, in data/README.md, the list of zones whose
// rule changes from year to year, between two marker lines so that the
// rest of the README stays as written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::builder {

inline constexpr const char *kDataSetRecordFile = "dataset.txt";
inline constexpr const char *kSectionStart = "<!-- catalogue_builder: zones whose rule changes; generated -->";
inline constexpr const char *kSectionEnd = "<!-- catalogue_builder: end -->";

struct DataSetFacts {
    std::int64_t year = 0;
    std::string tzdata, cldr, icu;
};

// A catalogue zone whose rule is not the same in every year of the span.
struct YearlyZone {
    std::uint16_t id = 0;
    std::string windowsZone, source;       // the Windows zone and its IANA zone
    std::vector<std::int64_t> rightYears;  // the years the data's rule is right for
};

std::string DataSetRecordText(const DataSetFacts &facts);

// The README's section: the zones, with the years of year..lastYear their rule is right for.
std::string YearlyZonesSection(const DataSetFacts &facts, const std::vector<YearlyZone> &zones,
                               std::int64_t lastYear);

// readme with the text between the markers replaced by section; nullopt
// when it lacks them.
std::optional<std::string> ReplaceGeneratedSection(const std::string &readme, const std::string &section);

}  // namespace kelvane::builder
