// Every subcommand family of the tool, for main() and the argument fuzzer alike.
#include "commands.h"

namespace kelvane::tool {

void AddAllCommands(CLI::App &app, const Options &options, int *exitCode) {
    AddClockCommands(app, options);
    AddCatalogueCommands(app, options);
    AddFavouriteCommands(app, options);
    AddSettingsCommands(app, options);
    AddCalendarCommands(app, options);
    AddDeviceCommands(app, options);
    AddCheckCommand(app, options, exitCode);
    AddDataSetCommands(app, options);
}

}  // namespace kelvane::tool
