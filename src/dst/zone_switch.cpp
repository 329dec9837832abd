// ChangeTZ: switching the device to a zone of the catalogue.
//
// One call hands the zone's rule and names to the platform as its time-zone
// information, keeping the device's UTC time (a clock that keeps local time
// moves with the zone, in the same step of the platform), records the zone
// and the user's daylight-saving switch in TZ_Set.ini, and sets the clock's
// AutoDST and HomeDST values, in that order; only the platform zone can be
// put back. So everything that can fail without changing anything comes
// first: all the memory the call needs (the settings file is composed and
// the writer's paths taken before the zone is set), the platform state, the
// settings, both zone records, the names and the language, and whether any
// platform could apply the zone at all. After the zone is set only the file
// system and the registry can still fail.
//
// Whatever stops the call (a failure, a crash), the device's UTC time stays
// right, and a platform zone left apart from TZ_Set.ini is brought back in
// line by the next FixTZ or ChangeTZ.
//
// The whole call runs under the data directory's lock: the settings it reads
// and rewrites and the device state it changes belong to one writer at a time.
#include "dst/zone_switch.h"

#include "dst/clock_registry.h"
#include "dst/daylight_rule.h"
#include "dst/platform_zone.h"
#include "dst/zone_records.h"
#include "names/zone_descriptions.h"
#include "platform/platform.h"
#include "record/data_writer.h"
#include "settings/settings_file.h"

namespace kelvane {
namespace {
// The new zone's record, and the current zone's (a copy when they are the same zone).
Result LookUpBothZones(RecordReader &reader, uint16_t tzid, uint16_t current, TZInfo *newZone,
                       TZInfo *oldZone) noexcept {
    if (tzid == current) {
        ZoneRequest request{tzid, newZone};
        if (const Result r = FindZonesOnce(reader, &request, 1); r != Result::Ok) return r;
        *oldZone = *newZone;
        return Result::Ok;
    }
    ZoneRequest requests[2] = {{tzid, newZone}, {current, oldZone}};
    return FindZonesOnce(reader, requests, 2);
}

// What the switch needs, gathered before anything is changed.
struct SwitchPlan {
    TimeZoneInformation previous;  // the platform zone before the switch
    TZInfo newZone, oldZone;
    TZDesc names;
    TZSetting setting;  // as it will be written
    bool keepSwitch;    // the daylight-saving switch stays on
    uint32_t homeDst;   // the new zone's rule at the UTC time, which the switch keeps
};

Result Gather(RecordReader &reader, uint16_t tzid, bool dlt, SwitchPlan *plan) noexcept {
    TimeZoneInformation &current = plan->previous;
    current = TimeZoneInformation{};
    const uint32_t platformState = CurrentPlatform().GetTimeZoneInformation(&current);
    if (platformState == kTimeZoneIdUnknown) return Result::State;
    if (const Result read = ReadTZSetting(&plan->setting); read != Result::Ok) return read;
    if (const Result r = LookUpBothZones(reader, tzid, plan->setting.TZID, &plan->newZone, &plan->oldZone);
        r != Result::Ok)
        return r;
    plan->names = TZDesc{};  // empty names for a zone no file names
    if (const Result r = ReadZoneDescriptions(reader, &tzid, 1, &plan->names); r != Result::Ok) return r;
    // A zone without daylight saving cannot keep the switch on.
    const bool noRule = plan->newZone.StdMonth == 0 && plan->newZone.DltMonth == 0;
    if (!Applicable(plan->newZone)) return Result::SetTimeZone;
    plan->keepSwitch = dlt && !noRule;
    plan->setting.TZID = tzid;
    plan->setting.DLT = plan->keepSwitch ? 1 : 0;
    SYSTEMTIME utc{};
    CurrentPlatform().GetSystemTime(&utc);
    plan->homeDst = plan->keepSwitch ? DaylightStateAtUtc(plan->newZone, utc) : 0;
    return Result::Ok;
}

// Zone and clock in one step of the platform, then the settings, then the
// registry. A failed settings write puts the previous zone back; should that
// fail too, the platform keeps the new zone with UTC unchanged, and the next
// FixTZ or ChangeTZ brings it in line with the settings.
Result Apply(const DataDirectoryLock &lock, const SwitchPlan &plan, DataFileWriter &writer,
             const LineList &settingsLines) noexcept {
    Platform &platform = CurrentPlatform();
    if (!platform.ApplyTimeZone(ZoneInformation(plan.newZone, plan.names))) return Result::SetTimeZone;
    if (const Result written = writer.Write(lock, kSettingsFile, settingsLines); written != Result::Ok) {
        platform.ApplyTimeZone(plan.previous);
        return written;
    }
    return SetClockDST(plan.keepSwitch ? 1 : 0, plan.homeDst);
}

}  // namespace

Result SwitchZone(uint16_t tzid, bool dlt) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    LineList settingsLines;
    if (settingsLines.Allocate() != Result::Ok) return Result::NoMemory;
    DataFileWriter writer;
    if (const Result prepared = writer.Prepare(); prepared != Result::Ok) return prepared;
    DataDirectoryLock lock;
    if (const Result locked = lock.Acquire(); locked != Result::Ok) return locked;
    SwitchPlan plan;
    if (const Result gathered = Gather(reader, tzid, dlt, &plan); gathered != Result::Ok) return gathered;
    ComposeTZSetting(plan.setting, settingsLines);
    return Apply(lock, plan, writer, settingsLines);
}

}  // namespace kelvane
