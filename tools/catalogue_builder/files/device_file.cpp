// device.ini: the simulated device as a freshly set-up device would be, its
// platform zone the default zone (as ChangeTZ would set it), its clock
// running on the host's clock, its interface language the default one.
#include "files/writers.h"
#include "platform/device_state.h"
#include "platform/host_files.h"

namespace kelvane::builder {
namespace {
// The platform keeps zone names in 32 units, terminator included.
constexpr std::size_t kPlatformNameUnits = 31;

// The platform's recurring form: the week-th weekday of the month, at the hour.
SYSTEMTIME TransitionDate(const Changeover &c) {
    SYSTEMTIME t{};
    t.wMonth = c.month;
    t.wDayOfWeek = c.weekday;
    t.wDay = c.week;
    t.wHour = c.hour;
    return t;
}

void CopyName(TZChar (&dest)[32], const Text &name) {
    const Text cut = CutText(name, kPlatformNameUnits);
    std::copy(cut.begin(), cut.end(), dest);
    dest[cut.size()] = 0;
}

TimeZoneInformation PlatformZone(const CatalogueRule &r, const ZoneDescription &names) {
    TimeZoneInformation zone{};
    zone.Bias = r.bias;
    zone.StandardBias = r.standardBias;
    zone.DaylightBias = r.daylightBias;
    CopyName(zone.StandardName, names.standardName);
    CopyName(zone.DaylightName, names.daylightName);
    zone.StandardDate = TransitionDate(r.standardStart);
    zone.DaylightDate = TransitionDate(r.daylightStart);
    return zone;
}
}  // namespace

WriteOutcome WriteDeviceFile(const SimulatedDevice &device, const CatalogueZone &zone,
                             const ZoneDescription &names, std::uint16_t language) {
    DeviceState state;
    state.lines = DeviceConfig::Parse(
        "# The simulated device of this data directory: see README.md beside it.\n"
        "# Remove 'clock_offset' and set 'clock = YYYY-MM-DD hh:mm:ss' to freeze the clock.\n");
    const CatalogueRule &r = zone.rule;
    SetInterfaceLanguage(state, language);
    SetLocalClock(state, -60 * (r.bias + r.standardBias), 0);  // a running clock, local standard time
    SetZone(state, PlatformZone(r, names));
    SetClockKeyExists(state, true);
    if (!host::ReplaceWhole(device.ConfigPath(), state.lines.Text()))
        return WriteOutcome::Failed(device.ConfigPath() + ": cannot be written");
    return {};
}

}  // namespace kelvane::builder
