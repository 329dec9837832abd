// kelvane: the time-zone engine from the command line.
//
// Exit status: 0 success; 1 the engine reported an error (its result code's
// name and a sentence go to standard error) or `check` found errors; 2 the
// command line or a value on it was wrong.
#include <iostream>

#include "commands.h"

int main(int argc, char **argv) {
    using namespace kelvane::tool;
    CLI::App app{"kelvane: time zones, daylight saving, favourites and the world clock"};
    app.require_subcommand(1);
    Options options;
    std::string lang;
    app.add_option("--data", options.data, "data directory (default: $KELVANE_DATA, else the shipped data/)");
    app.add_option("--lang", options.lang, "interface language of the simulated device, e.g. 2052");
    app.add_flag("--json", options.json, "machine-readable output");
#if defined(_WIN32)
    app.add_flag("--system", options.system,
                 "act on this Windows system (its zone, clock and registry; the data beside kelvane.exe) "
                 "instead of the simulated device");
    ::SetConsoleOutputCP(CP_UTF8);  // the tool prints UTF-8
#endif
    int exitCode = 0;
    AddClockCommands(app, options);
    AddCatalogueCommands(app, options);
    AddFavouriteCommands(app, options);
    AddSettingsCommands(app, options);
    AddCalendarCommands(app, options);
    AddDeviceCommands(app, options);
    AddCheckCommand(app, options, &exitCode);
    try {
        app.parse(argc, argv);
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
