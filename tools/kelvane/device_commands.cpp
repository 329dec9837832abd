// kelvane device: what the simulated device holds right now.
#include <fstream>
#include <sstream>

#include "commands.h"
#include "platform/platform.h"

namespace kelvane::tool {
namespace {
std::string TransitionText(const SYSTEMTIME &t) {
    if (t.wMonth == 0) return "none";
    std::ostringstream text;
    text << "month " << t.wMonth << ", week " << t.wDay << ", weekday " << t.wDayOfWeek << ", " << t.wHour << ":"
         << (t.wMinute < 10 ? "0" : "") << t.wMinute;
    return text.str();
}

const char *StateName(uint32_t state) {
    switch (state) {
        case 0: return "unknown";
        case 1: return "standard";
        case 2: return "daylight";
        default: return "invalid";
    }
}
}  // namespace

void AddDeviceCommands(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("device", "The simulated device's clock, zone and settings (device.ini)");
    cmd->callback([&options] {
        Session session(options);
        Platform &device = session.Device();
        SYSTEMTIME utc{};
        device.GetSystemTime(&utc);
        TimeZoneInformation info{};
        const uint32_t state = device.GetTimeZoneInformation(&info);
        const int32_t bias = info.Bias + (state == 2 ? info.DaylightBias : info.StandardBias);
        SYSTEMTIME local = utc;
        CalcDateTime(&local, -bias * 60);
        Json json{{"dataDirectory", session.DataDirectory().string()},
                  {"utc", FormatDateTime(utc)},
                  {"local", FormatDateTime(local)},
                  {"state", StateName(state)},
                  {"bias", info.Bias},
                  {"standardBias", info.StandardBias},
                  {"daylightBias", info.DaylightBias},
                  {"standardName", Utf8(info.StandardName)},
                  {"daylightName", Utf8(info.DaylightName)},
                  {"standardDate", TransitionText(info.StandardDate)},
                  {"daylightDate", TransitionText(info.DaylightDate)},
                  {"uiLanguage", device.GetUserDefaultUILanguage()}};
        std::ostringstream text;
        for (const auto &[key, value] : json.items())
            text << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
        session.Emit(json, text.str());
    });
}

}  // namespace kelvane::tool
