// Adding, changing and deleting the user's own zones (TZ_UserDef.ini), the
// frequency list following each change.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

// zones: working room for TZ_MAX_ZONES records. The caller holds the data
// directory's lock and has checked that info carries a description.

// Stores the zone under the lowest free identifier from 10000; ListFull at
// TZ_MAX_USER_ZONES user zones.
Result AddUserZone(const DataDirectoryLock &lock, const TZInfo &info, TZInfo *zones) noexcept;

// Replaces the user zone info.TZID; State when there is none.
Result UpdateUserZone(const DataDirectoryLock &lock, const TZInfo &info, TZInfo *zones) noexcept;

// Every given zone leaves the frequency list, user zone or not. With no user
// zone at all the rewrite is refused (Param) and the list is left alone.
Result DeleteUserZones(const DataDirectoryLock &lock, std::uint16_t idCount, const std::uint16_t *ids,
                       TZInfo *zones) noexcept;

}  // namespace kelvane
