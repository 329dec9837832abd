// The start-up correction. It first makes sure the platform holds the zone
// TZ_Set.ini names: a switch cut short after the platform took the new zone
// and before the settings were rewritten left the two apart, and the
// platform is given the settings' zone back (compared by offsets and rule,
// the UTC time kept).
// Then it brings the clock's daylight-saving values and the settings'
// switch into line with that zone's rule now: with the switch on, a zone
// with a rule gets AutoDST 1 and HomeDST from the rule; a zone without one
// cannot keep the switch, so both values are cleared (as well as the
// registry allows) and the switch is turned off in TZ_Set.ini. With the
// switch off both values are cleared.
#include "dst/startup_fix.h"

#include "dst/clock_registry.h"
#include "dst/daylight_rule.h"
#include "dst/platform_zone.h"
#include "dst/zone_records.h"
#include "platform/platform.h"
#include "record/data_writer.h"
#include "settings/settings_file.h"

namespace kelvane {
namespace {
// The switch goes off. The file is composed before the registry is touched,
// so a lack of memory changes nothing.
Result TurnSwitchOff(const DataDirectoryLock &lock, TZSetting setting) noexcept {
    LineList lines;
    if (lines.Allocate() != Result::Ok) return Result::NoMemory;
    DataFileWriter writer;
    if (const Result prepared = writer.Prepare(); prepared != Result::Ok) return prepared;
    setting.DLT = 0;
    ComposeTZSetting(setting, lines);
    SetClockDST(0, 0);  // best effort: only the settings write decides the result
    return writer.Write(lock, kSettingsFile, lines);
}

}  // namespace

// The settings' zone is read once: its rule now, whether it has one, and the
// platform's zone compared with it all come from that one record.
Result CorrectClockDaylight(const DataDirectoryLock &lock) noexcept {
    TZSetting setting;
    if (const Result read = ReadTZSetting(&setting); read != Result::Ok) return read;
    if (setting.TZID == 0) return Result::Param;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    TZInfo zone;
    ZoneRequest request{setting.TZID, &zone};
    if (const Result found = FindZonesOnce(reader, &request, 1); found != Result::Ok) return found;
    if (const Result aligned = AlignPlatformZone(reader, setting.TZID, zone); aligned != Result::Ok) return aligned;
    if (setting.DLT != 1) return SetClockDST(0, 0);
    if (zone.StdMonth > 0 && zone.DltMonth > 0) {
        SYSTEMTIME utc{};
        CurrentPlatform().GetSystemTime(&utc);
        return SetClockDST(1, DaylightStateAtUtc(zone, utc));
    }
    return TurnSwitchOff(lock, setting);
}

Result ReadPlatformDaylight(uint32_t *daylight) noexcept {
    TimeZoneInformation info{};
    const uint32_t state = CurrentPlatform().GetTimeZoneInformation(&info);
    if (state == kTimeZoneIdUnknown) return Result::State;
    // Every answer but standard time counts as daylight time, the platform's failure value included.
    *daylight = state == kTimeZoneIdStandard ? 0 : 1;
    return Result::Ok;
}

}  // namespace kelvane
