// What every subcommand shares: the data directory the engine works on, the
// simulated interface language, the output form, and the engine's result
// codes turned into messages a person can act on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "Kelvane.h"
#include "platform/simulated_device.h"

namespace kelvane::tool {

using Json = nlohmann::ordered_json;

struct Options {
    std::string data;               // --data
    std::optional<std::uint16_t> lang;  // --lang
    bool json = false;              // --json
    bool system = false;            // --system: the real platform
    // A device to run on in place of the simulated device over the data
    // directory's files (a harness's in-memory one); not owned.
    SimulatedDevice *device = nullptr;
};

// A failed engine call: the result code and what the tool was doing.
class EngineError : public std::runtime_error {
public:
    EngineError(std::uint32_t code, const std::string &doing) : std::runtime_error(doing), code_(code) {}
    std::uint32_t Code() const { return code_; }

private:
    std::uint32_t code_;
};

// A request the tool itself refuses (bad date, unknown zone name ...).
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The engine pointed at one data directory: the simulated device with its
// executable "inside" that directory and the language forced when asked, or
// with --system the real system serving that directory.
class Session {
public:
    explicit Session(const Options &options);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    const std::filesystem::path &DataDirectory() const { return directory_; }
    const Options &Opts() const { return options_; }
    // The platform the tool acts on: the simulated device or the real system.
    Platform &Device() { return *active_; }

    // Throws EngineError unless code is 0.
    void Check(std::uint32_t code, const std::string &doing) const;
    // Prints json, or the text form.
    void Emit(const Json &json, const std::string &text) const;

private:
    Options options_;
    std::filesystem::path directory_;
    std::unique_ptr<Platform> platform_;
    Platform *active_ = nullptr;
};

// --data, else $KELVANE_DATA, else the share/kelvane/data of the tool's own
// install prefix, else the shipped data/ when run from the build tree, else
// the executable's own directory (as the engine itself does).
std::filesystem::path ResolveDataDirectory(const std::string &flag);
// That order in words, with this tool's paths, for --help.
std::string DataLookupText();

// "TZ_ERR_FILE" and the like; a number for codes without a name.
std::string ResultName(std::uint32_t code);
// A plain sentence: what went wrong and what to do.
std::string ResultAdvice(std::uint32_t code, const std::filesystem::path &directory);

// A path as the engine's UTF-8 paths take it (path::string() is the ANSI
// code page on Windows).
std::string Utf8Path(const std::filesystem::path &path);

// UTF-16 engine text as UTF-8, and back.
std::string Utf8(const TZChar *text);
std::basic_string<TZChar> Utf16(const std::string &text);

}  // namespace kelvane::tool
