// ChangeTZ: switching the device to a zone of the catalogue.
//
// One call hands the zone's rule and names to the platform as its time-zone
// information, records the zone and the user's daylight-saving switch in
// TZ_Set.ini, sets the clock's AutoDST and HomeDST values, and moves the
// system clock by the difference between the old zone and the new one, in
// that order; only the platform zone can be put back. So everything
// that can fail without changing anything comes first: all the memory the
// call needs (the settings file is composed and the writer's paths taken
// before the zone is set), the platform state, the settings, both zone
// records, the names and the language, and whether any platform could apply
// the zone at all. After the zone is set only the file system and the
// registry can still fail. Should the settings rewrite fail, the previous
// platform zone is put back, so a failed switch changes nothing; should that
// fail too, the clock is still moved so that UTC stays right.
//
// The whole call runs under the data directory's lock: the settings it reads
// and rewrites and the device state it changes belong to one writer at a time.
//
// The device keeps its clock in local time: setting the zone leaves the
// local clock where it was and moves UTC, which is why the clock is moved
// afterwards. A platform whose clock keeps UTC (desktop Windows) needs no
// such step: moving its clock would put UTC hours off.
#include "dst/zone_switch.h"

#include "calendar/date_arithmetic.h"
#include "dst/clock_registry.h"
#include "dst/daylight_rule.h"
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

SYSTEMTIME RecurringDate(uint16_t month, uint16_t week, uint16_t dayOfWeek, uint16_t hour) noexcept {
    SYSTEMTIME t{};
    t.wMonth = month;
    t.wDayOfWeek = dayOfWeek;
    t.wDay = week;
    t.wHour = hour;
    return t;
}

// The platform record of the zone; the names are cut to the 31 characters its fields hold.
TimeZoneInformation ZoneInformation(const TZInfo &zone, const TZDesc &names) noexcept {
    TimeZoneInformation info{};
    info.Bias = zone.Offset;
    info.StandardBias = zone.StdOffSet;
    info.DaylightBias = zone.DltOffset;
    info.StandardDate = RecurringDate(zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour);
    info.DaylightDate = RecurringDate(zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour);
    CopyText(info.StandardName, ViewOf(names.Desc3, sizeof names.Desc3 / sizeof names.Desc3[0]));
    CopyText(info.DaylightName, ViewOf(names.Desc4, sizeof names.Desc4 / sizeof names.Desc4[0]));
    return info;
}

// Minutes from local time to UTC as the platform applies them in the given state.
int64_t EffectiveBias(const TimeZoneInformation &info, uint32_t state) noexcept {
    return static_cast<int64_t>(info.Bias) + (state == kTimeZoneIdDaylight ? info.DaylightBias : info.StandardBias);
}

// Reads the UTC clock, moves it and sets it, even by 0. A shift beyond the
// seconds the calendar moves by leaves the time as it was.
void MoveClock(Platform &platform, int64_t minutes) noexcept {
    SYSTEMTIME utc{};
    platform.GetSystemTime(&utc);
    const int64_t seconds = minutes * 60;
    if (seconds >= INT32_MIN && seconds <= INT32_MAX) MoveBySeconds(utc, static_cast<int32_t>(seconds));
    platform.SetSystemTime(utc);
}

constexpr int64_t kMaxBiasMinutes = 1440;

bool WithinADay(int64_t minutes) noexcept { return minutes >= -kMaxBiasMinutes && minutes <= kMaxBiasMinutes; }

bool ValidChangeover(uint16_t month, uint16_t occurrence, uint16_t weekday, uint16_t hour) noexcept {
    return month <= 12 && occurrence <= 5 && weekday <= 6 && hour <= 23;
}

// Whether a platform can apply the zone: biases within a day either way and,
// for a zone with a rule, changeovers a calendar has. AddTZ stores any
// fields, so a user zone may hold values no clock can take.
bool Applicable(const TZInfo &zone, bool hasRule) noexcept {
    const int64_t offset = zone.Offset;
    if (!WithinADay(offset) || !WithinADay(offset + zone.StdOffSet) || !WithinADay(offset + zone.DltOffset))
        return false;
    return !hasRule || (ValidChangeover(zone.StdMonth, zone.StdDay, zone.StdDayOfWeek, zone.StdHour) &&
                        ValidChangeover(zone.DltMonth, zone.DltDay, zone.DltDayOfWeek, zone.DltHour));
}

// What the switch needs, gathered before anything is changed.
struct SwitchPlan {
    TimeZoneInformation previous;  // the platform zone before the switch
    TZInfo newZone, oldZone;
    TZDesc names;
    TZSetting setting;  // as it will be written
    bool keepSwitch;    // the daylight-saving switch stays on
    uint32_t homeDst;   // the new zone's rule at the UTC time before the switch
    int64_t oldBias;    // minutes from local time to UTC before the switch
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
    if (!Applicable(plan->newZone, !noRule)) return Result::SetTimeZone;
    plan->keepSwitch = dlt && !noRule;
    plan->setting.TZID = tzid;
    plan->setting.DLT = plan->keepSwitch ? 1 : 0;
    plan->oldBias = EffectiveBias(current, platformState);
    SYSTEMTIME utc{};
    CurrentPlatform().GetSystemTime(&utc);
    plan->homeDst = plan->keepSwitch ? DaylightStateAtUtc(plan->newZone, utc) : 0;
    return Result::Ok;
}

// The device keeps local time, so setting the zone moved UTC by the
// difference between what the platform applied before and what it applies
// now; moving the clock by that difference gives back the UTC time it had.
void KeepUtc(Platform &platform, const SwitchPlan &plan) noexcept {
    if (platform.KeptClock() == ClockKind::Utc) return;
    TimeZoneInformation applied{};
    const uint32_t state = platform.GetTimeZoneInformation(&applied);
    MoveClock(platform, plan.oldBias - EffectiveBias(applied, state));
}

// Zone, settings, registry, clock; a registry failure is reported after the clock has moved.
Result Apply(const DataDirectoryLock &lock, const SwitchPlan &plan, DataFileWriter &writer,
             const LineList &settingsLines) noexcept {
    Platform &platform = CurrentPlatform();
    if (!platform.SetTimeZoneInformation(ZoneInformation(plan.newZone, plan.names))) return Result::SetTimeZone;
    if (const Result written = writer.Write(lock, kSettingsFile, settingsLines); written != Result::Ok) {
        if (!platform.SetTimeZoneInformation(plan.previous)) KeepUtc(platform, plan);
        return written;
    }
    const Result registry = SetClockDST(plan.keepSwitch ? 1 : 0, plan.homeDst);
    KeepUtc(platform, plan);
    return registry;
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
