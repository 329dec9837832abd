// The data set's notes for people and for the kelvane tool, UTF-8 text
// beside the engine's files: dataset.txt (the year of the rules and the
// versions of the sources, the unit of the coordinates) and, in
// data/README.md, the list of zones whose rule changes from year to year and
// the list of approximated zones and unfit places, each between two marker
// lines so that the rest of the README stays as written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::builder {

inline constexpr const char *kDataSetRecordFile = "dataset.txt";
inline constexpr const char *kSectionStart = "<!-- catalogue_builder: zones whose rule changes; generated -->";
inline constexpr const char *kApproximationsStart =
    "<!-- catalogue_builder: approximated zones and unfit places; generated -->";
inline constexpr const char *kSectionEnd = "<!-- catalogue_builder: end -->";

struct DataSetFacts {
    std::int64_t year = 0;
    std::string tzdata, cldr, icu;
    std::string coordinates = "degrees/100";  // or "pixels WxH"
};

// A catalogue zone whose stored rule is not the zone's own.
struct ApproximatedZone {
    std::uint16_t id = 0;
    std::string windowsZone, source;
    std::vector<std::string> why;
};

// A place whose clocks no catalogue zone keeps in the data's year.
struct UnfitPlace {
    std::string place;  // its tz zone
    std::uint16_t id = 0;  // the zone it is filed under
    std::string windowsZone;
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

// The README's section of approximated zones and places no zone fits.
std::string ApproximationsSection(const DataSetFacts &facts, const std::vector<ApproximatedZone> &zones,
                                  const std::vector<UnfitPlace> &places);

// readme with the text from the start marker to the end marker after it
// replaced by section; nullopt when it lacks them.
std::optional<std::string> ReplaceGeneratedSection(const std::string &readme, const std::string &section,
                                                   const std::string &startMarker = kSectionStart);

}  // namespace kelvane::builder
