// Replacing a file whole, so that a reader sees the old file or the new one
// and never a part of either.
//
// The new content goes to a temporary file beside the target (a fresh name,
// created exclusively: see temporary_name.h), reaches the disk, and only then
// is renamed over the target. A failure at any step leaves the target byte
// for byte as it was and removes the temporary, so a full disk never costs
// the user their data. Once the rename has succeeded the replace succeeds,
// even if making it durable in the directory fails: the new file is in place.
// The host's rename keeps a replaced file's permissions (host_files.h).
//
// Files is the platform (Platform), or anything with the same file
// operations (host::Files for the host's own files).
#pragma once

#include <cstddef>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "platform/scoped_file.h"
#include "platform/temporary_name.h"

namespace kelvane {

enum class ReplaceOutcome {
    Replaced,
    NotCreated,  // no temporary file could be created: nothing was written
    NotWritten,  // writing, flushing, closing or renaming failed: the target is unchanged
};

namespace replace_steps {
// Fresh names tried before giving up; an exclusive creation fails for a name
// in use (a rare collision, or a planted file or link).
inline constexpr int kNameAttempts = 4;

template <typename Files>
FileHandle CreateTemporary(Files &files, const TZChar *target, TZChar *temporary) noexcept {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (!BuildTemporaryName(target, files.UniqueNumber(), temporary)) return kNoFile;
        const FileHandle file = files.CreateNewFile(temporary);
        if (file != kNoFile) return file;
    }
    return kNoFile;
}

// The directory of target (kPathUnits units); false when it has none. A root
// keeps its separator.
bool DirectoryOf(const TZChar *target, TZChar *directory) noexcept;
}  // namespace replace_steps

// Replaces target (a full path) with what write(file) puts into the new
// file; write returns false when a write fails. temporary (kPathUnits units)
// holds the temporary's name; no memory is taken.
template <typename Files, typename WriteContent>
ReplaceOutcome ReplaceAtomically(Files &files, const TZChar *target, TZChar *temporary, WriteContent &&write) noexcept {
    ScopedFile file(files, replace_steps::CreateTemporary(files, target, temporary));
    if (!file.IsOpen()) return ReplaceOutcome::NotCreated;
    bool written = write(file.Get()) && files.FlushFile(file.Get());
    written = file.Close() && written;
    if (!written || !files.ReplaceFile(temporary, target)) {
        files.DeleteFile(temporary);
        return ReplaceOutcome::NotWritten;
    }
    // The temporary's buffer is free now; the new file is in place even if the sync fails.
    if (replace_steps::DirectoryOf(target, temporary)) files.SyncDirectory(temporary);
    return ReplaceOutcome::Replaced;
}

// The simple form: the new file holds the given bytes.
template <typename Files>
ReplaceOutcome ReplaceAtomically(Files &files, const TZChar *target, const void *data, std::size_t bytes) noexcept {
    TZChar temporary[kPathUnits];
    return ReplaceAtomically(files, target, temporary,
                             [&](FileHandle file) noexcept { return files.WriteFile(file, data, bytes); });
}

}  // namespace kelvane
