// TZ_Set.ini through the engine's own writer: the default zone is also the
// zone in use, with daylight saving switched on exactly when it has a rule.
#include "files/writers.h"
#include "settings/settings_file.h"

namespace kelvane::builder {

WriteOutcome WriteSettingsFile(const CatalogueZone &zone, std::uint16_t language) {
    TZSetting setting{};
    setting.TZID = zone.id;
    setting.DLT = zone.rule.HasDaylight() ? 1 : 0;
    setting.LangID = language;
    setting.DefaultTZ = zone.id;
    DataDirectoryLock lock;
    Result written = lock.Acquire();
    if (written == Result::Ok) written = WriteTZSetting(lock, &setting);
    if (written != Result::Ok)
        return WriteOutcome::Failed("TZ_Set.ini: cannot be written (result " + std::to_string(Code(written)) + ")");
    return {};
}

}  // namespace kelvane::builder
