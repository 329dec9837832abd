// Files and keys owned by an object: closed on every path out of the scope
// that opened them.
#pragma once

#include "platform/platform.h"

namespace kelvane {

// A file of the platform's. A file being written is closed with Close(),
// whose result says whether the data reached the file; a file only read is
// left to the destructor. Files: the platform, or host::Files.
template <typename Files>
class ScopedFile {
public:
    ScopedFile(Files &files, FileHandle file) noexcept : files_(files), file_(file) {}
    ~ScopedFile() { Close(); }
    ScopedFile(const ScopedFile &) = delete;
    ScopedFile &operator=(const ScopedFile &) = delete;

    bool IsOpen() const noexcept { return file_ != kNoFile; }
    FileHandle Get() const noexcept { return file_; }
    // False when closing failed; closing again does nothing and succeeds.
    bool Close() noexcept {
        if (file_ == kNoFile) return true;
        const FileHandle file = file_;
        file_ = kNoFile;
        return files_.CloseFile(file);
    }

private:
    Files &files_;
    FileHandle file_;
};

// The clock's registry key, opened for writing (Platform::OpenClockKey).
class ScopedClockKey {
public:
    explicit ScopedClockKey(Platform &platform) noexcept : platform_(platform), open_(platform.OpenClockKey(&key_)) {}
    ~ScopedClockKey() {
        if (open_) platform_.CloseClockKey(key_);
    }
    ScopedClockKey(const ScopedClockKey &) = delete;
    ScopedClockKey &operator=(const ScopedClockKey &) = delete;

    bool IsOpen() const noexcept { return open_; }
    ClockKey Get() const noexcept { return key_; }

private:
    Platform &platform_;
    ClockKey key_ = 0;
    bool open_;
};

}  // namespace kelvane
