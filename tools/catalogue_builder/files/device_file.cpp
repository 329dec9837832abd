// device.ini: the simulated device as a freshly set-up device would be, its
// platform zone the default zone (as ChangeTZ would set it), its clock
// running on the host's clock, its interface language the default one.
#include "files/writers.h"
#include "platform/device_config.h"
#include "platform/host_files.h"

namespace kelvane::builder {
namespace {
// The platform keeps zone names in 32 units, terminator included.
constexpr std::size_t kPlatformNameUnits = 31;

// year month dayofweek day hour minute second ms, as the platform's SYSTEMTIME.
std::string TransitionDate(const Changeover &c) {
    return "0 " + std::to_string(c.month) + " " + std::to_string(c.weekday) + " " + std::to_string(c.week) + " " +
           std::to_string(c.hour) + " 0 0 0";
}
}  // namespace

WriteOutcome WriteDeviceFile(const SimulatedDevice &device, const CatalogueZone &zone,
                             const ZoneDescription &names, std::uint16_t language) {
    DeviceConfig config = DeviceConfig::Parse(
        "# The simulated device of this data directory: see README.md beside it.\n"
        "# Remove 'clock_offset' and set 'clock = YYYY-MM-DD hh:mm:ss' to freeze the clock.\n");
    const CatalogueRule &r = zone.rule;
    config.Set("ui_language", std::to_string(language));
    config.Set("clock_offset", std::to_string(-60 * (r.bias + r.standardBias)));
    config.Set("tz_bias", std::to_string(r.bias));
    config.Set("tz_standard_bias", std::to_string(r.standardBias));
    config.Set("tz_daylight_bias", std::to_string(r.daylightBias));
    config.Set("tz_standard_name", ToUtf8(CutText(names.standardName, kPlatformNameUnits)));
    config.Set("tz_daylight_name", ToUtf8(CutText(names.daylightName, kPlatformNameUnits)));
    config.Set("tz_standard_date", TransitionDate(r.standardStart));
    config.Set("tz_daylight_date", TransitionDate(r.daylightStart));
    config.Set("clock_key", "1");
    if (!host::ReplaceWhole(device.ConfigPath(), config.Text()))
        return WriteOutcome::Failed(device.ConfigPath() + ": cannot be written");
    return {};
}

}  // namespace kelvane::builder
