// The start-up correction: bringing the clock's daylight-saving values and
// the settings' switch into line with the current zone's rule now.
//
// It changes neither the platform zone nor the clock. With the switch on,
// a zone with a rule gets AutoDST 1 and HomeDST from the rule; a zone
// without one cannot keep the switch, so both values are cleared (as well as
// the registry allows) and the switch is turned off in TZ_Set.ini. With the
// switch off both values are cleared.
#include "dst/startup_fix.h"

#include "catalogue/zone_kinds.h"
#include "dst/clock_registry.h"
#include "dst/daylight_query.h"
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

Result CorrectClockDaylight(const DataDirectoryLock &lock) noexcept {
    TZSetting setting;
    if (const Result read = ReadTZSetting(&setting); read != Result::Ok) return read;
    SYSTEMTIME utc{};
    CurrentPlatform().GetSystemTime(&utc);
    uint32_t state = 0;
    if (const Result r = QueryTZDltStateAtUtc(setting.TZID, utc, &state); r != Result::Ok) return r;
    uint32_t platformDaylight = 0;
    if (ReadPlatformDaylight(&platformDaylight) == Result::State) return Result::State;
    uint32_t hasRule = 0;
    if (const Result typed = ReadDaylightTypes(&setting.TZID, 1, &hasRule); typed != Result::Ok) return typed;
    if (setting.DLT != 1) return SetClockDST(0, 0);
    if (hasRule == 1) return SetClockDST(1, state);
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
