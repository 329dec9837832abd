// Rewrites a data file whole: the byte-order mark, then the given lines as
// they stand (each carries its own line end), nothing else.
//
// The file is replaced atomically (platform/atomic_replace.h): a failure
// leaves the old file as it was. Every rewrite runs under the data
// directory's lock (data_lock.h), which the caller holds.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/data_lock.h"
#include "record/line_list.h"
#include "record/result.h"

namespace kelvane {

// Param for an absent name or lines or no lines; NoMemory; File when the file
// cannot be created; Write when writing, flushing or replacing fails, or the
// lock is not held.
Result WriteDataFile(const DataDirectoryLock &lock, const TZChar *fileName, std::uint16_t lineCount,
                     const TZChar *const *lines) noexcept;

// The same rewrite in two steps, for an operation that must have all its
// memory before it changes anything: Prepare takes the path buffers (NoMemory
// when it cannot), and Write then needs no memory of its own.
class DataFileWriter {
public:
    Result Prepare() noexcept;
    // As WriteDataFile; NoMemory when Prepare did not succeed.
    Result Write(const DataDirectoryLock &lock, const TZChar *fileName, std::uint16_t lineCount,
                 const TZChar *const *lines) noexcept;
    Result Write(const DataDirectoryLock &lock, const TZChar *fileName, const LineList &lines) noexcept {
        return Write(lock, fileName, lines.Count(), lines.Lines());
    }

private:
    Owned<TZChar[]> target_;
    Owned<TZChar[]> temporary_;
};

inline Result WriteDataFile(const DataDirectoryLock &lock, const TZChar *fileName, const LineList &lines) noexcept {
    return WriteDataFile(lock, fileName, lines.Count(), lines.Lines());
}

}  // namespace kelvane
