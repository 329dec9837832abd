#include "platform/clock_file.h"

#include "platform/device_config.h"
#include "platform/host_files.h"
#include "platform/utf.h"
#include "base/text.h"

namespace kelvane {

bool ClockFileExists(HostFilesPlatform &platform) noexcept try {
    const std::string path = platform.DataFileUtf8(kClockFileName);
    if (path.empty()) return false;
    const FileHandle file = host::OpenForReading(ToUtf16(path).c_str());
    if (file == kNoFile) return false;
    host::Close(file);
    return true;
} catch (...) {
    return false;
}

bool SetClockFileValue(HostFilesPlatform &platform, const TZChar *name, std::uint32_t value) noexcept try {
    const std::string path = platform.DataFileUtf8(kClockFileName);
    std::string text;
    if (path.empty() || !ClockFileExists(platform) || !host::ReadWhole(path, &text)) return false;
    DeviceConfig settings = DeviceConfig::Parse(text);
    settings.Set(ToUtf8(ViewOf(name, 64)), std::to_string(value));
    return host::ReplaceWhole(path, settings.Text());
} catch (...) {
    return false;
}

}  // namespace kelvane
