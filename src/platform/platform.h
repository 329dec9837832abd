// The platform layer: every call the engine makes outside its own memory.
//
// The engine needs very little of its host: the data directory (KELVANE_DATA,
// else beside the host executable), the system time and time-zone
// information, the interface language, two values under the clock's registry
// key, and plain file access. Each operation below maps onto one platform
// call; the engine reaches them only through CurrentPlatform(), so a test can
// put a fake in place and a desktop build can run against the simulated
// device.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"

#if defined(_WIN32)
// <windows.h> maps these names onto DeleteFileA/W and ReplaceFileA/W by
// macro; the platform's methods carry the plain names in every file.
#undef DeleteFile
#undef ReplaceFile
#endif

namespace kelvane {

// The platform's TIME_ZONE_INFORMATION, field for field.
struct TimeZoneInformation {
    std::int32_t Bias;
    TZChar StandardName[32];
    SYSTEMTIME StandardDate;
    std::int32_t StandardBias;
    TZChar DaylightName[32];
    SYSTEMTIME DaylightDate;
    std::int32_t DaylightBias;
};

inline constexpr std::uint32_t kTimeZoneIdUnknown = 0;
inline constexpr std::uint32_t kTimeZoneIdStandard = 1;
inline constexpr std::uint32_t kTimeZoneIdDaylight = 2;

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;
using LockHandle = std::intptr_t;
inline constexpr LockHandle kNoLock = -1;
using ClockKey = std::uintptr_t;
inline constexpr std::size_t kPathUnits = 4096;  // path buffers, terminator included
// The ending of the engine's temporary files: "<file>.<16 hex digits>.kvtmp".
// One found while the data directory's lock is held belongs to a writer that
// died, and is removed.
inline constexpr char kTemporaryEnding[] = ".kvtmp";
// Called with each entry name of a listed directory.
using DirectoryVisitor = void (*)(void *context, const TZChar *name);

// The clock's registry key under HKEY_LOCAL_MACHINE, as the device names it.
#if defined(_WIN32)
inline constexpr const TZChar *kClockKeyPath = L"\\SoftWare\\Microsoft\\Clock";
#else
inline constexpr const TZChar *kClockKeyPath = u"\\SoftWare\\Microsoft\\Clock";
#endif

// What the platform's clock keeps when the time zone changes: the device's
// real-time clock keeps local time (UTC moves), desktop Windows keeps UTC.
enum class ClockKind { LocalTime, Utc };

class Platform {
public:
    virtual ~Platform() = default;

    // The data directory, without a trailing separator unless it is a root:
    // KELVANE_DATA when set, else the directory of the host executable. The
    // length written, 0 when unknown or too long for capacity.
    virtual std::uint32_t DataDirectory(TZChar *buffer, std::uint32_t capacity) noexcept = 0;

    virtual ClockKind KeptClock() noexcept = 0;
    virtual void GetSystemTime(SYSTEMTIME *utc) noexcept = 0;
    virtual bool SetSystemTime(const SYSTEMTIME &utc) noexcept = 0;
    // 100-nanosecond intervals since 1601-01-01; false where the time cannot be represented.
    virtual bool SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept = 0;
    virtual bool FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept = 0;
    virtual std::uint32_t GetTimeZoneInformation(TimeZoneInformation *info) noexcept = 0;
    virtual bool SetTimeZoneInformation(const TimeZoneInformation &info) noexcept = 0;
    // Sets the zone and keeps the UTC time: a clock that keeps local time is
    // moved by the change of bias. False, with the zone and the clock as they
    // were, when either cannot be set. This one runs the platform's two calls
    // and puts the zone back when the clock cannot follow; a platform that
    // can change both in one step (the simulated device) does so, so no
    // crash leaves the zone switched and the clock unmoved.
    virtual bool ApplyTimeZone(const TimeZoneInformation &info) noexcept;
    virtual std::uint16_t GetUserDefaultUILanguage() noexcept = 0;

    // The clock key (kClockKeyPath) under HKEY_LOCAL_MACHINE, opened for
    // writing, never created.
    virtual bool OpenClockKey(ClockKey *key) noexcept = 0;
    virtual bool SetClockValue(ClockKey key, const TZChar *name, std::uint32_t value) noexcept = 0;
    virtual void CloseClockKey(ClockKey key) noexcept = 0;

    // Files, binary, by full UTF-16 path. Only a regular file is opened,
    // without blocking; anything else (a FIFO, a device) gives kNoFile.
    virtual FileHandle OpenForReading(const TZChar *path) noexcept = 0;
    // Creates a new file for writing; kNoFile when anything, a link
    // included, already stands at the path.
    virtual FileHandle CreateNewFile(const TZChar *path) noexcept = 0;
    // Bytes read (0 at the end), or -1 on a read error.
    virtual std::int64_t ReadFile(FileHandle file, void *buffer, std::size_t bytes) noexcept = 0;
    virtual bool WriteFile(FileHandle file, const void *data, std::size_t bytes) noexcept = 0;
    // Forces written data to the storage device.
    virtual bool FlushFile(FileHandle file) noexcept = 0;
    virtual bool CloseFile(FileHandle file) noexcept = 0;
    // Replaces target by source in one step.
    virtual bool ReplaceFile(const TZChar *source, const TZChar *target) noexcept = 0;
    // Makes a replace in the directory durable.
    virtual bool SyncDirectory(const TZChar *directory) noexcept = 0;
    virtual bool DeleteFile(const TZChar *path) noexcept = 0;

    // The data directory's advisory lock, shared by every program that
    // rewrites its files; waited for at most timeoutMs, kNoLock when it
    // cannot be had.
    virtual LockHandle LockDirectory(const TZChar *directory, std::uint32_t timeoutMs) noexcept = 0;
    virtual void UnlockDirectory(LockHandle lock) noexcept = 0;
    // Calls visit with each entry name of the directory; false when it cannot be listed.
    virtual bool ListDirectory(const TZChar *directory, DirectoryVisitor visit, void *context) noexcept = 0;
    // A number no other call of any process is likely to get, for naming
    // temporary files (their exclusive creation settles a rare collision).
    virtual std::uint64_t UniqueNumber() noexcept = 0;
};

// The installed platform, else the default one: the simulated device when
// the data directory holds device.ini, else the real system. Inside a
// PlatformCallScope the default is chosen once, at the first call.
Platform &CurrentPlatform() noexcept;

// The span of one export call. An export reaches the platform many times
// (every file it reads, the lock, the clock); the default platform is
// looked for once in it rather than at each of them, and the choice ends
// with the outermost scope, so nothing is kept between calls.
class PlatformCallScope {
public:
    PlatformCallScope() noexcept;
    ~PlatformCallScope();
    PlatformCallScope(const PlatformCallScope &) = delete;
    PlatformCallScope &operator=(const PlatformCallScope &) = delete;

private:
    bool outermost_;
};

namespace testing {
// Puts a platform in place of the default one; nullptr restores the default.
void InstallPlatform(Platform *platform) noexcept;
// The default platform the engine would choose now: the simulated device
// when its data directory holds device.ini, else the real system.
Platform &DefaultPlatform() noexcept;
}  // namespace testing

}  // namespace kelvane
