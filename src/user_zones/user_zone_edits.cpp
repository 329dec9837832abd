// Editing the user's own zones, and keeping the frequency list in step.
//
// Each edit reads the user zones with the list read, changes them in memory and
// rewrites TZ_UserDef.ini whole, then brings the frequency list in step. The
// two files are not changed together: once the user file is rewritten, a
// failure in the frequency step is reported, but the zone change stays.
// System zones are never matched, so they cannot be changed or deleted.
// The caller takes the data directory's lock once; both rewrites and the
// reads they are based on run under it.
#include "user_zones/user_zone_edits.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/user_zone_file.h"
#include "catalogue/zone_list.h"
#include "frequency/frequency_maintenance.h"

namespace kelvane {
namespace {
constexpr uint16_t kFirstUserZoneId = 10000;

Result LoadUserZones(TZInfo *zones, uint16_t *count) noexcept {
    *count = TZ_MAX_ZONES;
    return LoadTZList(zones, count, kSelectUserZones);
}

// Index of the first user zone carrying id, or count when none does.
uint16_t FindUserZone(const TZInfo *zones, uint16_t count, uint16_t id) noexcept {
    uint16_t i = 0;
    while (i < count && (id == 0 || zones[i].TZID != id)) ++i;
    return i;
}

// The lowest identifier from 10000 that no user zone carries; with fewer than
// 50 user zones there always is one. The system catalogue is not consulted.
uint16_t FreeUserZoneId(const TZInfo *zones, uint16_t count) noexcept {
    uint16_t id = kFirstUserZoneId;
    while (FindUserZone(zones, count, id) < count) ++id;
    return id;
}

// The zone as stored: the caller's fields under the given identifier, always
// Type 3 (any other type would drop it from every list and from the next
// rewrite), its description cut to 63 units and terminated.
void StoreZone(const TZInfo &from, uint16_t id, TZInfo *to) noexcept {
    *to = from;
    to->TZID = id;
    to->Type = kUserZoneType;
    CopyText(to->Detail, ViewOf(from.Detail, kFieldUnits - 1));
}

// Puts the zone on the frequency list or takes it off, as the record asks.
Result FollowFrequencyFlag(const DataDirectoryLock &lock, uint16_t id, bool wanted) noexcept {
    return wanted ? AddFrequencyZones(lock, 1, &id) : DeleteFrequencyZones(lock, 1, &id);
}
}  // namespace

Result AddUserZone(const DataDirectoryLock &lock, const TZInfo &info, TZInfo *zones) noexcept {
    uint16_t count = 0;
    if (const Result read = LoadUserZones(zones, &count); read != Result::Ok) return read;
    if (count >= TZ_MAX_USER_ZONES) return Result::ListFull;
    const uint16_t id = FreeUserZoneId(zones, count);
    StoreZone(info, id, &zones[count]);
    if (const Result saved = SaveUserTZFile(lock, zones, count + 1); saved != Result::Ok) return saved;
    return info.InFrequency == 0 ? Result::Ok : FollowFrequencyFlag(lock, id, true);
}

Result UpdateUserZone(const DataDirectoryLock &lock, const TZInfo &info, TZInfo *zones) noexcept {
    uint16_t count = 0;
    if (const Result read = LoadUserZones(zones, &count); read != Result::Ok) return read;
    const uint16_t i = FindUserZone(zones, count, info.TZID);
    if (i == count) return Result::State;
    StoreZone(info, info.TZID, &zones[i]);
    if (const Result saved = SaveUserTZFile(lock, zones, count); saved != Result::Ok) return saved;
    return FollowFrequencyFlag(lock, info.TZID, info.InFrequency != 0);
}

Result DeleteUserZones(const DataDirectoryLock &lock, uint16_t idCount, const uint16_t *ids, TZInfo *zones) noexcept {
    uint16_t count = 0;
    if (const Result read = LoadUserZones(zones, &count); read != Result::Ok) return read;
    for (uint16_t k = 0; k < idCount; ++k) {
        const uint16_t i = FindUserZone(zones, count, ids[k]);
        if (i < count) zones[i].TZID = 0;
    }
    if (const Result saved = SaveUserTZFile(lock, zones, count); saved != Result::Ok) return saved;
    return DeleteFrequencyZones(lock, idCount, ids);
}

}  // namespace kelvane
