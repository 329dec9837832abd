// kelvane: the time-zone engine from the command line.
//
// Exit status: 0 success; 1 the engine reported an error (its result code's
// name and a sentence go to standard error) or `check` found errors; 2 the
// command line or a value on it was wrong.
#include <iostream>

#include "check/data_set.h"
#include "commands.h"

namespace {
// The tool's version, and the year and sources of the data set it would use.
std::string VersionText(const kelvane::tool::Options &options) {
    using namespace kelvane::tool;
    const auto directory = ResolveDataDirectory(options.data);
    const auto record = ReadDataSetRecord(directory);
    return std::string("kelvane ") + KELVANE_VERSION_STRING + "\ndata set " + directory.string() + ": " +
           (record ? DescribeDataSet(*record) : std::string("no ") + kDataSetFile + ", year and sources unknown") + "\n";
}
}  // namespace

int main(int argc, char **argv) {
    using namespace kelvane::tool;
    CLI::App app{"kelvane: time zones, daylight saving, favourites and the world clock"};
    app.require_subcommand(0, 1);
    Options options;
    bool version = false;
    app.add_option("--data", options.data, "data directory (default: see below)");
    app.add_option("--lang", options.lang, "interface language of the simulated device, e.g. 2052");
    app.add_flag("--json", options.json, "machine-readable output");
    app.add_flag("--version", version, "the tool's version and the data set's year and sources");
    app.footer(DataLookupText() + "\n");
#if defined(_WIN32)
    app.add_flag("--system", options.system,
                 "act on this Windows system (its zone, clock and registry, or clock.ini in the data directory) "
                 "instead of the simulated device");
    ::SetConsoleOutputCP(CP_UTF8);  // the tool prints UTF-8
#else
    app.add_flag("--system", options.system,
                 "act on this system (its clock, the zone file /etc/localtime or $KELVANE_ZONE_FILE, "
                 "clock.ini in the data directory) instead of the simulated device");
#endif
    int exitCode = 0;
    AddAllCommands(app, options, &exitCode);
    try {
        app.parse(argc, argv);
        if (version) {
            std::cout << VersionText(options);
        } else if (app.get_subcommands().empty()) {
            std::cerr << "kelvane: a subcommand is required\nRun with --help for more information.\n";
            return 2;
        }
    } catch (const CLI::ParseError &e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : 2;
    } catch (const EngineError &e) {
        std::cerr << "kelvane: " << ResultName(e.Code()) << ": " << e.what() << " failed: "
                  << ResultAdvice(e.Code(), ResolveDataDirectory(options.data)) << '\n';
        return 1;
    } catch (const UsageError &e) {
        std::cerr << "kelvane: " << e.what() << '\n';
        return 2;
    } catch (const std::exception &e) {
        std::cerr << "kelvane: " << e.what() << '\n';
        return 1;
    }
    return exitCode;
}
