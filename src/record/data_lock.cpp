#include "record/data_lock.h"

#include "base/text.h"
#include "platform/host_files.h"
#include "record/data_path.h"
#include "platform/temporary_name.h"

namespace kelvane {
namespace {
// The directory's path, extended in place by each stale name and cut back.
struct StaleSweep {
    Platform &platform;
    TZChar *directory;
    std::size_t length;
};

void RemoveIfStale(void *context, const TZChar *name) noexcept {
    auto &sweep = *static_cast<StaleSweep *>(context);
    if (!IsTemporaryName(name)) return;
    const std::size_t nameLength = BoundedLength(name, kPathUnits);
    if (sweep.length + 1 + nameLength >= kPathUnits) return;
    TZChar *path = sweep.directory;
    std::size_t end = sweep.length;
    if (end == 0 || path[end - 1] != host::kSeparator) path[end++] = host::kSeparator;
    CopyText(path + end, kPathUnits - end, TextView(name, nameLength));
    sweep.platform.DeleteFile(path);
    path[sweep.length] = 0;
}
}  // namespace

DataDirectoryLock::~DataDirectoryLock() {
    if (Held()) CurrentPlatform().UnlockDirectory(handle_);
}

Result DataDirectoryLock::Acquire() noexcept {
    if (Held()) return Result::Ok;
    directory_ = AllocateArray<TZChar>(kPathUnits);
    if (!directory_) return Result::NoMemory;
    if (BuildDataDirectoryPath(directory_.get()) != Result::Ok) return Result::File;
    handle_ = CurrentPlatform().LockDirectory(directory_.get(), kLockWaitMs);
    if (!Held()) return Result::Write;
    RemoveStaleTemporaries();
    return Result::Ok;
}

// Best effort: a temporary that cannot be listed or removed now is removed by a later writer.
void DataDirectoryLock::RemoveStaleTemporaries() noexcept {
    StaleSweep sweep{CurrentPlatform(), directory_.get(), BoundedLength(directory_.get(), kPathUnits)};
    sweep.platform.ListDirectory(sweep.directory, RemoveIfStale, &sweep);
}

}  // namespace kelvane
