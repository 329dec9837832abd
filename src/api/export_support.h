// What the exports share: the opening of every export that rewrites a data
// file. The lock is taken once, by the outermost call, and handed down.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "platform/memory.h"
#include "record/data_lock.h"
#include "record/result.h"

namespace kelvane {

// Runs edit(lock) under the data directory's lock; a lock that cannot be had
// is the answer.
template <typename Edit>
std::uint32_t EditUnderLock(Edit &&edit) noexcept {
    DataDirectoryLock lock;
    if (const Result locked = lock.Acquire(); locked != Result::Ok) return Code(locked);
    return Code(edit(lock));
}

// The user-zone edits: room for the whole user list first, then the lock.
template <typename Edit>
std::uint32_t EditUserZones(Edit &&edit) noexcept {
    Owned<TZInfo[]> zones = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    if (!zones) return Code(Result::NoMemory);
    return EditUnderLock([&](const DataDirectoryLock &lock) noexcept { return edit(lock, zones.get()); });
}

}  // namespace kelvane
