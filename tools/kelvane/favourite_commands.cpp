// kelvane favourites ... and kelvane userzone ...: the lists the user keeps.
#include <map>
#include <sstream>

#include "commands.h"
#include "zone_format.h"

namespace kelvane::tool {
namespace {
// Every listed zone's entry as the zone lists show it: system and user zones.
std::map<uint16_t, std::string> ZoneEntries(const Session &session) {
    std::map<uint16_t, std::string> entries;
    for (const uint16_t selection : {uint16_t{1}, uint16_t{3}}) {
        std::vector<uint16_t> ids(TZ_MAX_ZONES);
        TextBuffers texts(TZ_MAX_ZONES, kEntryUnits);
        uint32_t count = 0;
        session.Check(GetAllTZInfo(&count, ids.data(), texts.pointers.data(), selection), "listing the zones");
        for (uint32_t i = 0; i < count; ++i) entries[ids[i]] = EntryText(texts.pointers[i]);
    }
    return entries;
}

void AddFavouriteList(CLI::App &favourites, const Options &options) {
    auto *cmd = favourites.add_subcommand("list", "The favourites in order, with offset and name (GetTZFrequency)");
    auto raw = std::make_shared<bool>(false);
    cmd->add_flag("--raw", *raw, "as stored, without dropping zones that left the catalogue");
    cmd->callback([&options, raw] {
        Session session(options);
        std::vector<uint16_t> ids(TZ_MAX_ZONES);
        uint16_t count = TZ_MAX_ZONES;
        session.Check(GetTZFrequency(&count, ids.data(), *raw ? 0 : 1), "reading the favourites");
        const auto entries = ZoneEntries(session);
        Json list = Json::array();
        std::ostringstream text;
        for (uint16_t i = 0; i < count; ++i) {
            const auto entry = entries.find(ids[i]);
            const std::string shown = entry == entries.end() ? "(not in the catalogue)" : entry->second;
            list.push_back(Json{{"id", ids[i]}, {"entry", shown}});
            text << IdColumn(ids[i]) << shown << '\n';
        }
        session.Emit(list, text.str());
    });
}

void AddFavouriteChange(CLI::App &favourites, const Options &options, const char *name, const char *help,
                        uint32_t (*change)(uint16_t, const uint16_t *)) {
    auto *cmd = favourites.add_subcommand(name, help);
    auto ids = std::make_shared<std::vector<uint16_t>>();
    cmd->add_option("zones", *ids, "zone numbers")->required();
    cmd->callback([&options, ids, name, change] {
        Session session(options);
        session.Check(change(static_cast<uint16_t>(ids->size()), ids->data()), std::string("favourites ") + name);
        session.Emit(Json{{name, *ids}}, "done\n");
    });
}

struct UserZoneArguments {
    int32_t offset = 0;
    std::string name;
    std::vector<uint16_t> daylight, standard;  // month week weekday hour
    int32_t daylightBias = -60;
    bool favourite = false;
};

void AddUserZoneOptions(CLI::App &cmd, UserZoneArguments &a) {
    // Within a day either way: beyond that no clock can apply the zone, and
    // negating the lowest 32-bit value would overflow.
    cmd.add_option("--utc-offset", a.offset, "minutes east of UTC, e.g. 330 for UTC+05:30")
        ->required()
        ->check(CLI::Range(-1440, 1440));
    cmd.add_option("--name", a.name, "the zone's name (at most 63 characters)")->required();
    cmd.add_option("--daylight-start", a.daylight, "month week weekday hour")->expected(4);
    cmd.add_option("--standard-start", a.standard, "month week weekday hour")->expected(4);
    cmd.add_option("--daylight-bias", a.daylightBias, "minutes added to the bias in daylight time (default -60)")
        ->check(CLI::Range(-1440, 1440));
    cmd.add_flag("--favourite", a.favourite, "also put it on the favourites");
}

TZInfo UserZoneRecord(const UserZoneArguments &a) {
    TZInfo zone{};
    zone.Type = 3;
    zone.Offset = -a.offset;
    if (a.daylight.size() == 4 && a.standard.size() == 4) {
        zone.DltMonth = a.daylight[0];
        zone.DltDay = a.daylight[1];
        zone.DltDayOfWeek = a.daylight[2];
        zone.DltHour = a.daylight[3];
        zone.StdMonth = a.standard[0];
        zone.StdDay = a.standard[1];
        zone.StdDayOfWeek = a.standard[2];
        zone.StdHour = a.standard[3];
        zone.DltOffset = a.daylightBias;
    } else if (!a.daylight.empty() || !a.standard.empty()) {
        throw UsageError("give both --daylight-start and --standard-start, or neither");
    }
    const auto name = Utf16(a.name);
    if (name.empty() || name.size() > 63) throw UsageError("the name must have 1 to 63 characters");
    std::copy(name.begin(), name.end(), zone.Detail);
    zone.InFrequency = a.favourite ? 1 : 0;
    return zone;
}

void AddUserZoneCommands(CLI::App &app, const Options &options) {
    auto *userzone = app.add_subcommand("userzone", "The user's own zones");
    userzone->require_subcommand(1);
    auto *add = userzone->add_subcommand("add", "Add a user zone (AddTZ)");
    auto addArgs = std::make_shared<UserZoneArguments>();
    AddUserZoneOptions(*add, *addArgs);
    add->callback([&options, addArgs] {
        Session session(options);
        const TZInfo zone = UserZoneRecord(*addArgs);
        session.Check(AddTZ(&zone), "adding user zone " + addArgs->name);
        session.Emit(Json{{"added", addArgs->name}}, "added; list it with: kelvane zones --selection 3\n");
    });
    auto *update = userzone->add_subcommand("update", "Replace a user zone (UpdateTZ)");
    auto updateArgs = std::make_shared<UserZoneArguments>();
    auto updateId = std::make_shared<uint16_t>(0);
    update->add_option("zone", *updateId, "user zone number, 10000 to 10049")->required();
    AddUserZoneOptions(*update, *updateArgs);
    update->callback([&options, updateArgs, updateId] {
        Session session(options);
        TZInfo zone = UserZoneRecord(*updateArgs);
        zone.TZID = *updateId;
        session.Check(UpdateTZ(&zone), "updating user zone " + std::to_string(*updateId));
        session.Emit(Json{{"updated", *updateId}}, "updated\n");
    });
    auto *remove = userzone->add_subcommand("delete", "Delete user zones (DeleteTZ)");
    auto removeIds = std::make_shared<std::vector<uint16_t>>();
    remove->add_option("zones", *removeIds, "user zone numbers")->required();
    remove->callback([&options, removeIds] {
        Session session(options);
        session.Check(DeleteTZ(static_cast<uint16_t>(removeIds->size()), removeIds->data()), "deleting user zones");
        session.Emit(Json{{"deleted", *removeIds}}, "deleted\n");
    });
}
}  // namespace

void AddFavouriteCommands(CLI::App &app, const Options &options) {
    auto *favourites = app.add_subcommand("favourites", "The favourite zones");
    favourites->require_subcommand(1);
    AddFavouriteList(*favourites, options);
    AddFavouriteChange(*favourites, options, "add", "Add zones to the favourites (AddTZFrequency)", AddTZFrequency);
    AddFavouriteChange(*favourites, options, "remove", "Remove zones from the favourites (DeleteTZFrequency)",
                       DeleteTZFrequency);
    AddUserZoneCommands(app, options);
}

}  // namespace kelvane::tool
