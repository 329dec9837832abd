// The user's own zones: adding, changing, deleting.
#include "Kelvane.h"
#include "api/export_support.h"
#include "platform/platform.h"
#include "user_zones/user_zone_edits.h"

using namespace kelvane;

namespace {
bool HasDetail(const TZInfo *info) noexcept { return info != nullptr && info->Detail[0] != 0; }
}  // namespace

extern "C" uint32_t AddTZ(const TZInfo *info) {
    const PlatformCallScope scope;
    if (!HasDetail(info)) return Code(Result::Param);
    return EditUserZones([&](const DataDirectoryLock &lock, TZInfo *zones) noexcept {
        return AddUserZone(lock, *info, zones);
    });
}

extern "C" uint32_t UpdateTZ(const TZInfo *info) {
    const PlatformCallScope scope;
    if (!HasDetail(info)) return Code(Result::Param);
    return EditUserZones([&](const DataDirectoryLock &lock, TZInfo *zones) noexcept {
        return UpdateUserZone(lock, *info, zones);
    });
}

extern "C" uint32_t DeleteTZ(uint16_t count, const uint16_t *ids) {
    const PlatformCallScope scope;
    if (count == 0 || ids == nullptr) return Code(Result::Param);
    return EditUserZones([&](const DataDirectoryLock &lock, TZInfo *zones) noexcept {
        return DeleteUserZones(lock, count, ids, zones);
    });
}
