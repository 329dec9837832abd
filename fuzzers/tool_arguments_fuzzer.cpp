// The kelvane tool's command line and its date parser fed arbitrary text:
// parsing either succeeds or reports a usage error, never crashes. Input
// starting with 'D' is a date; anything else is a command line, one argument
// a line, run against a copy of the shipped data (KELVANE_DATA) whose engine
// files are served from memory; --data and map's --out are refused, so no
// command writes outside that copy. Run with
// -close_fd_mask=1 to keep the commands' output out of the log.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "support/memory_device.h"

namespace {
// A copy of the shipped data (the checker and device.ini are read from the
// disk), with every engine file operation served from memory.
kelvane::SimulatedDevice &MemoryCopyOfShippedData() {
    const auto copy = std::filesystem::temp_directory_path() / ("kelvane-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(copy);
    static kelvane::test::MemoryDevice device(copy.string());
    for (const auto &entry : std::filesystem::directory_iterator(KELVANE_SHIPPED_DATA_DIR)) {
        std::filesystem::copy_file(entry.path(), copy / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
        std::ifstream in(entry.path(), std::ios::binary);
        device.Put(entry.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
    ::setenv("KELVANE_DATA", copy.c_str(), 1);
    return device;
}

// The tool's command line as the fuzzer parses it: --data and map's --out refused.
struct Parser {
    CLI::App app{"kelvane"};
    kelvane::tool::Options options;
    int exitCode = 0;  // check's verdict, never read here

    explicit Parser(kelvane::SimulatedDevice &device) {
        options.device = &device;
        app.add_option("--data", options.data)->check([](const std::string &) { return std::string("refused here"); });
        app.add_option("--lang", options.lang);
        app.add_flag("--json", options.json);
        kelvane::tool::AddAllCommands(app, options, &exitCode);
        app.get_subcommand("map")->get_option("--out")->check([](const std::string &) { return std::string("refused here"); });
    }
};

// Whether a parse may have written a bound value. CLI11 writes one only from
// its option's callback, which it runs only for an option holding results or
// forced to run (no option here is read from the environment or a config
// file, none triggers on parse); the commands' callbacks only read what they
// capture (check's verdict aside). So after a parse that left every option
// without results every bound value is as built, and the next parse (which
// clears CLI11's own state first) starts as on a new application.
bool MayHaveBoundValues(CLI::App &app) {
    for (const CLI::Option *option : app.get_options())
        if (option->count() > 0 || option->get_force_callback()) return true;
    for (CLI::App *sub : app.get_subcommands(std::function<bool(CLI::App *)>()))
        if (MayHaveBoundValues(*sub)) return true;
    return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    using namespace kelvane::tool;
    static kelvane::SimulatedDevice &device = MemoryCopyOfShippedData();
    const std::string text(reinterpret_cast<const char *>(data), size);
    if (!text.empty() && text[0] == 'D') {
        try {
            ParseDateTime(text.substr(1));
        } catch (const UsageError &) {
        }
        return 0;
    }
    std::vector<std::string> arguments = {"kelvane"};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    // Building the application costs more than most parses, so one is kept
    // for as long as no parse can have changed it. A changed one is replaced
    // at once, within the input that changed it, so every input starts on a
    // fresh application and its coverage does not hang on the input before.
    static auto parser = std::make_unique<Parser>(device);
    std::vector<const char *> argv;
    for (const std::string &a : arguments) argv.push_back(a.c_str());
    try {
        parser->app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError &) {
    } catch (const std::exception &) {  // usage and engine errors, as main() reports them
    }
    if (MayHaveBoundValues(parser->app)) {
        parser.reset();
        parser = std::make_unique<Parser>(device);
    }
    return 0;
}
