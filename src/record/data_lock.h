// The data directory's advisory lock: one writer at a time.
//
// Every rewrite (favourites, user zones, settings, and the device state the
// platform keeps) and the read it is based on run under this lock, so two
// programs sharing a data directory never lose each other's changes. The
// outermost export of a call takes it once and passes it down: the writers
// take it as proof, and an operation that calls another (UpdateTZ and the
// favourites) hands on the same lock, because a second lock of the same
// directory conflicts even within one process. Readers take no lock: the
// atomic replace shows them the old or the new file.
//
// The lock is waited for at most five seconds. Whoever holds it removes the
// temporary files of the engine's own naming that it finds: no live writer
// can own one then, so they were left by a writer that died.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "platform/memory.h"
#include "platform/platform.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::uint32_t kLockWaitMs = 5000;

class DataDirectoryLock {
public:
    DataDirectoryLock() noexcept = default;
    ~DataDirectoryLock();
    DataDirectoryLock(const DataDirectoryLock &) = delete;
    DataDirectoryLock &operator=(const DataDirectoryLock &) = delete;

    // Ok; NoMemory; File when the data directory is unknown; Write when the
    // lock could not be had in time.
    Result Acquire() noexcept;
    bool Held() const noexcept { return handle_ != kNoLock; }

private:
    void RemoveStaleTemporaries() noexcept;

    Owned<TZChar[]> directory_;
    LockHandle handle_ = kNoLock;
};

}  // namespace kelvane
