// The writers of the files the engine reads but never writes, and of the
// simulated device's state. Each checks what it is given (no empty field,
// nothing cut, nothing over the catalogue's limits) rather than write a file
// the engine would read differently.
#pragma once

#include <string>
#include <vector>

#include "files/catalogue_model.h"
#include "files/data_file.h"
#include "platform/simulated_device.h"

namespace kelvane::builder {

inline constexpr const TZChar *kLanguageFile = KT("Lang_Def.ini");
inline constexpr const TZChar *kGroupFile = KT("TZ_Zone.ini");
inline constexpr const TZChar *kCityFile = KT("TZ_CityZoneNum.ini");

// Cleans and cuts the four names so that each fits its field and the line
// with all four fits 254 units, cutting the longest name first. Returns a
// sentence for each name that had to be cut (none, normally).
std::vector<std::string> FitDescription(ZoneDescription *description);

// sources: a comment line after the legend (none when empty).
WriteOutcome WriteCatalogueFile(const std::vector<CatalogueZone> &zones, const Text &sources = {});
WriteOutcome WriteDescriptionFile(const Language &language);
WriteOutcome WriteLanguageFile(const std::vector<Language> &languages);
WriteOutcome WriteGroupFile(const std::vector<GroupEntry> &groups);
WriteOutcome WriteCityFile(const std::vector<CityEntry> &cities);
// TZ_Set.ini: the default zone in use, without daylight saving switched on
// unless the zone has a rule.
WriteOutcome WriteSettingsFile(const CatalogueZone &zone, std::uint16_t language);
// The simulated device set to the zone, its interface language, clock running.
WriteOutcome WriteDeviceFile(const SimulatedDevice &device, const CatalogueZone &zone,
                             const ZoneDescription &names, std::uint16_t language);
// The user's files, empty: TZ_UserDef.ini and TZ_Frequency.ini.
WriteOutcome WriteUserFiles(const std::vector<std::uint16_t> &favourites);

// Every file, into the data directory of the installed platform (device.ini
// where the device keeps it). The first failure ends the run.
WriteOutcome WriteDataDirectory(const DataDirectory &data, const SimulatedDevice &device);

}  // namespace kelvane::builder
