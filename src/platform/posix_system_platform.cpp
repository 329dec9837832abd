#include "platform/posix_system_platform.h"

#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <cstdlib>

#include "platform/clock_file.h"
#include "platform/file_time.h"
#include "platform/host_files.h"
#include "platform/locale_language.h"
#include "platform/utf.h"
#include "platform/zone_file_reader.h"
#include "platform/zone_file_writer.h"

namespace kelvane {
namespace {
// Seconds from 1601-01-01 (file time) to 1970-01-01 (the kernel's epoch).
constexpr std::int64_t kEpochDifference = 11644473600;
// A zone file is a few kilobytes; anything far larger is no zone file.
constexpr off_t kLargestZoneFile = 1 << 20;
}  // namespace

const char *SystemZoneFile() noexcept {
    const char *named = ::secure_getenv("KELVANE_ZONE_FILE");
    return named != nullptr && *named != '\0' ? named : kDefaultZoneFile;
}

ClockKind PosixSystemPlatform::KeptClock() noexcept { return ClockKind::Utc; }

void PosixSystemPlatform::GetSystemTime(SYSTEMTIME *utc) noexcept {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto ticks = static_cast<std::uint64_t>(now.tv_sec + kEpochDifference) * kTicksPerSecond +
                       static_cast<std::uint64_t>(now.tv_nsec / 100);
    *utc = SYSTEMTIME{};
    FileTimeToCivil(ticks, utc);
}

bool PosixSystemPlatform::SetSystemTime(const SYSTEMTIME &utc) noexcept {
    std::uint64_t ticks = 0;
    if (!CivilToFileTime(utc, &ticks)) return false;
    timespec when{};
    when.tv_sec = static_cast<time_t>(static_cast<std::int64_t>(ticks / kTicksPerSecond) - kEpochDifference);
    when.tv_nsec = static_cast<long>(ticks % kTicksPerSecond * 100);
    return ::clock_settime(CLOCK_REALTIME, &when) == 0;  // needs CAP_SYS_TIME
}

bool PosixSystemPlatform::SystemTimeToFileTime(const SYSTEMTIME &time, std::uint64_t *ticks) noexcept {
    return CivilToFileTime(time, ticks);
}

bool PosixSystemPlatform::FileTimeToSystemTime(std::uint64_t ticks, SYSTEMTIME *time) noexcept {
    return FileTimeToCivil(ticks, time);
}

std::uint32_t PosixSystemPlatform::GetTimeZoneInformation(TimeZoneInformation *info) noexcept try {
    const char *path = SystemZoneFile();
    struct stat status {};
    if (::stat(path, &status) != 0) {
        if (errno != ENOENT) return kTimeZoneIdUnknown;
        DescribeUtc(info);  // no zone file: UTC, as the C library reads it
        return kTimeZoneIdStandard;
    }
    if (!S_ISREG(status.st_mode) || status.st_size > kLargestZoneFile) return kTimeZoneIdUnknown;
    std::string bytes;
    if (!host::ReadWhole(*this, ToUtf16(path).c_str(), &bytes) || bytes.empty())
        return kTimeZoneIdUnknown;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return DescribeZoneFile(bytes, now.tv_sec, info);
} catch (...) {
    return kTimeZoneIdUnknown;
}

bool PosixSystemPlatform::SetTimeZoneInformation(const TimeZoneInformation &info) noexcept try {
    unsigned char bytes[kZoneFileBytes];
    const std::size_t size = BuildZoneFile(info, bytes);
    if (size == 0) return false;
    // A link at the path is replaced by the file, never written through.
    // Every program reads the zone, so unlike the data files the zone file
    // does not keep a narrower mode it had: it is 0644 whatever came before.
    const char *path = SystemZoneFile();
    if (!host::ReplaceWhole(path, std::string(reinterpret_cast<const char *>(bytes), size))) return false;
    ::chmod(path, 0644);  // the zone is set either way; a refusal leaves the mode as the replace made it
    return true;
} catch (...) {
    return false;
}

std::uint16_t PosixSystemPlatform::GetUserDefaultUILanguage() noexcept {
    return LanguageOfLocale(MessagesLocale());
}

bool PosixSystemPlatform::OpenClockKey(ClockKey *key) noexcept {
    if (!ClockFileExists(*this)) return false;
    *key = 1;
    return true;
}

bool PosixSystemPlatform::SetClockValue(ClockKey, const TZChar *name, std::uint32_t value) noexcept {
    return SetClockFileValue(*this, name, value);
}

void PosixSystemPlatform::CloseClockKey(ClockKey) noexcept {}

}  // namespace kelvane
