#include "platform/clock_file.h"

#include <string>
#include <utility>

#include "base/text.h"
#include "platform/device_config.h"
#include "platform/host_files.h"
#include "platform/scoped_file.h"
#include "platform/utf.h"

namespace kelvane {

bool ClockFileExists(HostFilesPlatform &platform) noexcept {
    TZChar path[kPathUnits];
    if (platform.DataFilePath(kClockFileName, path, kPathUnits) == 0) return false;
    const ScopedFile file(platform, platform.OpenForReading(path));
    return file.IsOpen();
}

bool SetClockFileValue(HostFilesPlatform &platform, const TZChar *name, std::uint32_t value) noexcept try {
    TZChar path[kPathUnits];
    std::string text;
    // A missing file reads as empty: it must stand there too.
    if (platform.DataFilePath(kClockFileName, path, kPathUnits) == 0 || !host::ReadWhole(platform, path, &text) ||
        !host::Exists(path))
        return false;
    DeviceConfig settings = DeviceConfig::Parse(std::move(text));
    settings.Set(ToUtf8(ViewOf(name, 64)), std::to_string(value));
    return host::ReplaceWhole(platform, path, settings.Text());
} catch (...) {
    return false;
}

}  // namespace kelvane
