#include "context.h"

#include <cstdlib>
#include <iostream>

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "platform/system_platform.h"
#include "platform/utf.h"

#ifndef KELVANE_SHIPPED_DATA
#define KELVANE_SHIPPED_DATA ""
#endif
#ifndef KELVANE_BUILD_TREE
#define KELVANE_BUILD_TREE ""
#endif
#ifndef KELVANE_INSTALLED_DATA
#define KELVANE_INSTALLED_DATA "../share/kelvane/data"
#endif

namespace kelvane::tool {
namespace {
class ToolDevice : public SimulatedDevice {
public:
    ToolDevice(std::string executable, std::optional<std::uint16_t> language)
        : SimulatedDevice(std::move(executable)), language_(language) {}
    std::uint16_t GetUserDefaultUILanguage() noexcept override {
        return language_ ? *language_ : SimulatedDevice::GetUserDefaultUILanguage();
    }

private:
    std::optional<std::uint16_t> language_;
};

bool RunFromBuildTree() {
    const std::string buildTree = KELVANE_BUILD_TREE;
    if (buildTree.empty()) return false;
    const std::string exe = host::ExecutablePath();
    return exe.rfind(buildTree, 0) == 0;
}

std::filesystem::path ExecutableDirectory() { return std::filesystem::path(host::ExecutablePath()).parent_path(); }

// The data set installed with the tool: <prefix>/share/kelvane/data.
std::filesystem::path InstalledData() { return (ExecutableDirectory() / KELVANE_INSTALLED_DATA).lexically_normal(); }
}  // namespace

std::string Utf8Path(const std::filesystem::path &path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path ResolveDataDirectory(const std::string &flag) {
    if (!flag.empty()) return std::filesystem::absolute(flag);
    if (const char *env = std::getenv("KELVANE_DATA"); env != nullptr && *env != '\0')
        return std::filesystem::absolute(env);
    if (const auto installed = InstalledData(); std::filesystem::is_directory(installed)) return installed;
    const std::filesystem::path shipped = KELVANE_SHIPPED_DATA;
    if (!shipped.empty() && RunFromBuildTree() && std::filesystem::is_directory(shipped)) return shipped;
    return ExecutableDirectory();
}

std::string DataLookupText() {
    std::string text = "The data directory is the first of: --data DIR; $KELVANE_DATA; " + InstalledData().string() +
                       " (the data set installed with this tool)";
    if (RunFromBuildTree()) text += std::string("; ") + KELVANE_SHIPPED_DATA + " (the source tree's data/)";
    return text + "; " + ExecutableDirectory().string() + " (the tool's own directory, as the engine does).";
}

Session::Session(const Options &options)
    : options_(options),
      directory_(ResolveDataDirectory(options.data)) {
    // The real platform acts on the machine itself: only when asked for.
    if (options.device != nullptr)
        active_ = options.device;
    else if (options.system)
        platform_ = std::make_unique<SystemPlatform>(Utf8Path(directory_));
    else
        platform_ = std::make_unique<ToolDevice>(Utf8Path(directory_ / "kelvane"), options.lang);
    if (platform_) active_ = platform_.get();
    testing::InstallPlatform(active_);
}

Session::~Session() { testing::InstallPlatform(nullptr); }

void Session::Check(std::uint32_t code, const std::string &doing) const {
    if (code != TZ_OK) throw EngineError(code, doing);
}

void Session::Emit(const Json &json, const std::string &text) const {
    if (options_.json)
        std::cout << json.dump(2) << '\n';
    else
        std::cout << text;
}

std::string ResultName(std::uint32_t code) {
    switch (code) {
        case TZ_OK: return "TZ_OK";
        case TZ_ERR_NOT_FOUND: return "TZ_ERR_NOT_FOUND";
        case TZ_ERR_FILE: return "TZ_ERR_FILE";
        case TZ_ERR_WRITE: return "TZ_ERR_WRITE";
        case TZ_ERR_REGISTRY: return "TZ_ERR_REGISTRY";
        case TZ_ERR_NO_MEMORY: return "TZ_ERR_NO_MEMORY";
        case TZ_ERR_PARAM: return "TZ_ERR_PARAM";
        case TZ_ERR_NO_LANGUAGE: return "TZ_ERR_NO_LANGUAGE";
        case TZ_ERR_PARSER: return "TZ_ERR_PARSER";
        case TZ_ERR_STATE: return "TZ_ERR_STATE";
        case TZ_ERR_SET_TZ: return "TZ_ERR_SET_TZ";
        case TZ_ERR_LIST_FULL: return "TZ_ERR_LIST_FULL";
        default: return std::to_string(code);
    }
}

std::string ResultAdvice(std::uint32_t code, const std::filesystem::path &directory) {
    const std::string dir = directory.string();
    switch (code) {
        case TZ_ERR_NOT_FOUND: return "nothing matched: check the zone numbers (kelvane zones) and the language table";
        case TZ_ERR_FILE: return "a data file in " + dir + " could not be opened; run 'kelvane check " + dir + "'";
        case TZ_ERR_WRITE: return "a data file in " + dir + " could not be written; the old file is unchanged";
        case TZ_ERR_REGISTRY: return "the clock settings could not be written (device.ini: clock_key, fail)";
        case TZ_ERR_NO_MEMORY: return "the engine ran out of memory";
        case TZ_ERR_PARAM: return "the engine refused an argument";
        case TZ_ERR_NO_LANGUAGE: return "the device reports no interface language; pass --lang";
        case TZ_ERR_PARSER: return "the engine could not create its line parser (out of memory)";
        case TZ_ERR_STATE: return "the device's time-zone state is unknown (device.ini: tz_state), or no such user zone";
        case TZ_ERR_SET_TZ: return "the device refused the new time zone (device.ini: fail)";
        case TZ_ERR_LIST_FULL: return "the list is full: remove an entry first";
        default: return "unexpected result";
    }
}

std::string Utf8(const TZChar *text) { return ToUtf8(ViewOf(text, SIZE_MAX)); }

std::basic_string<TZChar> Utf16(const std::string &text) { return ToUtf16(text); }

}  // namespace kelvane::tool
