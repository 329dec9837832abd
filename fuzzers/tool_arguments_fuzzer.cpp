// The kelvane tool's command line and its date parser fed arbitrary text:
// parsing either succeeds or reports a usage error, never crashes. Input
// starting with 'D' is a date; anything else is a command line, one argument
// a line, run against a copy of the shipped data (KELVANE_DATA); --data and
// map's --out are refused, so no command writes outside that copy. Run with
// -close_fd_mask=1 to keep the commands' output out of the log.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "commands.h"

namespace {
bool CopyShippedData() {
    const auto copy = std::filesystem::temp_directory_path() / ("kelvane-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(copy);
    for (const auto &entry : std::filesystem::directory_iterator(KELVANE_SHIPPED_DATA_DIR))
        std::filesystem::copy_file(entry.path(), copy / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    return ::setenv("KELVANE_DATA", copy.c_str(), 1) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    using namespace kelvane::tool;
    static const bool copied = CopyShippedData();
    (void)copied;
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
    CLI::App app{"kelvane"};
    Options options;
    app.add_option("--data", options.data)->check([](const std::string &) { return std::string("refused here"); });
    app.add_option("--lang", options.lang);
    app.add_flag("--json", options.json);
    int exitCode = 0;
    AddAllCommands(app, options, &exitCode);
    app.get_subcommand("map")->get_option("--out")->check([](const std::string &) { return std::string("refused here"); });
    std::vector<const char *> argv;
    for (const std::string &a : arguments) argv.push_back(a.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError &) {
    } catch (const std::exception &) {  // usage and engine errors, as main() reports them
    }
    return 0;
}
