#include "files/data_set_notes.h"

namespace kelvane::builder {
namespace {
// "2026, 2028-2030".
std::string YearRanges(const std::vector<std::int64_t> &years) {
    std::string text;
    for (std::size_t i = 0; i < years.size();) {
        std::size_t j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(years[i]);
        if (j > i) text.append("-").append(std::to_string(years[j]));
        i = j + 1;
    }
    return text;
}
}  // namespace

std::string DataSetRecordText(const DataSetFacts &f) {
    return "# The Kelvane data set in this directory, written by the catalogue builder:\n"
           "# the year whose rules the catalogue holds, and the sources. See README.md.\n"
           "year = " + std::to_string(f.year) + "\ntzdata = " + f.tzdata + "\ncldr = " + f.cldr + "\nicu = " + f.icu +
           "\ncoordinates = " + f.coordinates + "\n";
}

std::string YearlyZonesSection(const DataSetFacts &f, const std::vector<YearlyZone> &zones, std::int64_t lastYear) {
    std::string text = std::string(kSectionStart) + "\n\nThe catalogue holds the rules of " + std::to_string(f.year) +
                       " (tz database " + f.tzdata + "). These zones' rules differ between the years " +
                       std::to_string(f.year) + " to " + std::to_string(lastYear) +
                       "; the shipped rule is right only in the years listed:\n\n"
                       "| zone | Windows zone | tz zone | right in |\n| --- | --- | --- | --- |\n";
    for (const YearlyZone &z : zones)
        text += "| " + std::to_string(z.id) + " | " + z.windowsZone + " | " + z.source + " | " +
                (z.rightYears.empty() ? std::string("none") : YearRanges(z.rightYears)) + " |\n";
    if (zones.empty()) text += "| none | | | |\n";
    return text + "\nA zone whose list lacks " + std::to_string(f.year) +
           " changed its rule during that year; the shipped rule is the one in force at the year's end.\n\n" +
           kSectionEnd;
}

std::string ApproximationsSection(const DataSetFacts &f, const std::vector<ApproximatedZone> &zones,
                                  const std::vector<UnfitPlace> &places) {
    const std::string year = std::to_string(f.year);
    std::string text = std::string(kApproximationsStart) + "\n\nThe zones whose stored rule is not the tz database's own (tz database " +
                       f.tzdata + ", " + year + "):\n\n| zone | Windows zone | tz zone | what differs |\n| --- | --- | --- | --- |\n";
    for (const ApproximatedZone &z : zones) {
        std::string why;
        for (const std::string &w : z.why) why += (why.empty() ? "" : "; ") + w;
        text += "| " + std::to_string(z.id) + " | " + z.windowsZone + " | " + z.source + " | " + why + " |\n";
    }
    if (zones.empty()) text += "| none | | | |\n";
    text += "\nThe places whose clocks no zone keeps all through " + year + " (each stays under CLDR's zone):\n\n";
    for (const UnfitPlace &p : places)
        text += "- " + p.place + ", under zone " + std::to_string(p.id) + " (" + p.windowsZone + ")\n";
    if (places.empty()) text += "- none\n";
    return text + "\n" + kSectionEnd;
}

std::optional<std::string> ReplaceGeneratedSection(const std::string &readme, const std::string &section,
                                                   const std::string &startMarker) {
    const auto start = readme.find(startMarker);
    const auto end = start == std::string::npos ? start : readme.find(kSectionEnd, start);
    if (start == std::string::npos || end == std::string::npos || end < start) return std::nullopt;
    return readme.substr(0, start) + section + readme.substr(end + std::string(kSectionEnd).size());
}

}  // namespace kelvane::builder
