// A whole data directory, file after file; the first failure ends the run.
#include <algorithm>

#include "files/writers.h"

namespace kelvane::builder {
namespace {
const ZoneDescription *DescriptionOf(const Language &language, std::uint16_t zone) {
    for (const ZoneDescription &d : language.descriptions)
        if (d.id == zone) return &d;
    return nullptr;
}
}  // namespace

WriteOutcome WriteDataDirectory(const DataDirectory &data, const SimulatedDevice &device) {
    const auto zone = std::find_if(data.zones.begin(), data.zones.end(),
                                   [&](const CatalogueZone &z) { return z.id == data.defaultZone; });
    const auto language = std::find_if(data.languages.begin(), data.languages.end(),
                                       [&](const Language &l) { return l.id == data.interfaceLanguage; });
    if (zone == data.zones.end() || language == data.languages.end())
        return WriteOutcome::Failed("the default zone or the interface language is not in the data");
    const ZoneDescription *names = DescriptionOf(*language, zone->id);
    if (names == nullptr) return WriteOutcome::Failed("the default zone has no names in the interface language");

    WriteOutcome outcome = WriteCatalogueFile(data.zones, data.sources);
    for (const Language &l : data.languages) {
        if (!outcome.ok) return outcome;
        outcome = WriteDescriptionFile(l);
    }
    if (outcome.ok) outcome = WriteLanguageFile(data.languages);
    if (outcome.ok) outcome = WriteGroupFile(data.groups);
    if (outcome.ok) outcome = WriteCityFile(data.cities);
    if (outcome.ok) outcome = WriteUserFiles(data.favourites);
    if (outcome.ok) outcome = WriteSettingsFile(*zone, data.interfaceLanguage);
    if (outcome.ok) outcome = WriteDeviceFile(device, *zone, *names, data.interfaceLanguage);
    return outcome;
}

}  // namespace kelvane::builder
