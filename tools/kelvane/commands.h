// The subcommand families of the kelvane tool. Each adds its subcommands to
// the application; they run against a Session made from the global options.
#pragma once

#include <CLI/CLI.hpp>

#include "context.h"

namespace kelvane::tool {

void AddCalendarCommands(CLI::App &app, const Options &options);
void AddCatalogueCommands(CLI::App &app, const Options &options);
void AddSettingsCommands(CLI::App &app, const Options &options);
void AddDeviceCommands(CLI::App &app, const Options &options);
void AddClockCommands(CLI::App &app, const Options &options);
void AddFavouriteCommands(CLI::App &app, const Options &options);
void AddCheckCommand(CLI::App &app, const Options &options, int *exitCode);
void AddDataSetCommands(CLI::App &app, const Options &options);
// Every family above; exitCode receives check's verdict.
void AddAllCommands(CLI::App &app, const Options &options, int *exitCode);

// A SYSTEMTIME from "YYYY-MM-DD hh:mm[:ss]" (the time may be left out).
SYSTEMTIME ParseDateTime(const std::string &text);
std::string FormatDateTime(const SYSTEMTIME &time);
Json DateTimeJson(const SYSTEMTIME &time);

}  // namespace kelvane::tool
