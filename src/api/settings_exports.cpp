// The zone in use and the default zone, from the settings.
#include "Kelvane.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

using namespace kelvane;

namespace {
uint32_t ReadSettingField(uint16_t *out, uint16_t TZSetting::*field) noexcept {
    if (out == nullptr) return Code(Result::Param);
    const PlatformCallScope scope;
    TZSetting setting{};
    const Result read = ReadTZSetting(&setting);
    if (read == Result::Ok) *out = setting.*field;
    return Code(read);
}
}  // namespace

extern "C" uint32_t GetLocalTZID(uint16_t *tzid) { return ReadSettingField(tzid, &TZSetting::TZID); }

extern "C" uint32_t GetDeaultTZID(uint16_t *tzid) { return ReadSettingField(tzid, &TZSetting::DefaultTZ); }
