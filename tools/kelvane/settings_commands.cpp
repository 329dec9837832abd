// kelvane current / default: the zones the settings name.
#include "commands.h"

namespace kelvane::tool {
namespace {
void AddZoneQuery(CLI::App &app, const Options &options, const char *name, const char *help,
                  uint32_t (*query)(uint16_t *)) {
    auto *cmd = app.add_subcommand(name, help);
    cmd->callback([&options, name, query] {
        Session session(options);
        uint16_t zone = 0;
        session.Check(query(&zone), std::string("reading the ") + name + " zone from TZ_Set.ini");
        session.Emit(Json{{name, zone}}, std::to_string(zone) + "\n");
    });
}
}  // namespace

void AddSettingsCommands(CLI::App &app, const Options &options) {
    AddZoneQuery(app, options, "current", "The zone in use (GetLocalTZID)", GetLocalTZID);
    AddZoneQuery(app, options, "default", "The default zone (GetDeaultTZID)", GetDeaultTZID);
}

}  // namespace kelvane::tool
