// A small world for the zone-switching tests: a catalogue, names in one
// language, settings, and what the simulated device holds.
#pragma once

#include <string>
#include <vector>

#include "Kelvane.h"
#include "platform/device_config.h"
#include "settings/settings_file.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane::test {

// Central Europe (daylight from the last Sunday of March, 02:00, to the last of October, 03:00), the same with
// a two-hour daylight bias, Beijing (no rule), New York (2nd Sunday of March to 1st of November, both at 02:00).
inline const ZoneLine kCentral{.id = 20, .offset = -60, .stdMonth = 10, .stdDay = 5, .stdHour = 3, .dltMonth = 3,
                               .dltDay = 5, .dltHour = 2, .dltOffset = -60};
inline const ZoneLine kCentralTwoHours{.id = 21, .offset = -60, .stdMonth = 10, .stdDay = 5, .stdHour = 3,
                                       .dltMonth = 3, .dltDay = 5, .dltHour = 2, .dltOffset = -120};
inline const ZoneLine kBeijing{.id = 33, .offset = -480};
inline const ZoneLine kNewYork{.id = 12, .offset = 300, .stdMonth = 11, .stdDay = 1, .stdHour = 2, .dltMonth = 3,
                               .dltDay = 2, .dltHour = 2, .dltOffset = -60};

// The central zone as the device holds it.
inline const std::string kCentralDevice = "tz_bias = -60\ntz_daylight_bias = -60\ntz_standard_date = 0 10 0 5 3 0 0 0\n"
                                          "tz_daylight_date = 0 3 0 5 2 0 0 0\n";

// A data directory with the world (and zone 50, named nowhere), the device and settings as given.
class World : public DataDir {
public:
    explicit World(const std::string &device = "", const TZChar *settings = KT("   20\t  1\t2052\t       33\t0x0804")) {
        WriteLines("TZ_Def.ini", {ZoneText(kCentral), ZoneText(kBeijing), ZoneText(kNewYork),
                                  ZoneText(kCentralTwoHours), ZoneText({.id = 50, .offset = 120})});
        WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .offset = -345, .type = 3, .detail = "My$own$zone"})});
        WriteLines("Lang_Def.ini", {KT("1033 En.ini")});
        WriteLines("En.ini", {KT("20 Central Central CET CEST"),
                              KT("33 Beijing Beijing China$Standard$Time China$Daylight$Time"),
                              KT("12 New$York New$York Eastern$Standard$Time Eastern$Daylight$Time"),
                              KT("21 Central2 Central2 Standard-name-longer-than-thirty-one-units B")});
        WriteLines("TZ_Set.ini", {settings});
        WriteDevice(device);
    }
};

using Values = std::vector<std::string>;

// The device's values of the keys, "-" for one it does not hold.
inline Values DeviceValues(const DataDir &dir, std::initializer_list<const char *> keys) {
    const DeviceConfig config = DeviceConfig::Parse(dir.ReadBytes("device.ini"));
    Values values;
    for (const char *key : keys) values.emplace_back(config.Get(key).value_or("-"));
    return values;
}

// TZID, DLT, LangID and DefaultTZ as TZ_Set.ini holds them.
inline std::vector<int> Settings() {
    TZSetting s{};
    ReadTZSetting(&s);
    return {s.TZID, s.DLT, s.LangID, s.DefaultTZ};
}

}  // namespace kelvane::test
