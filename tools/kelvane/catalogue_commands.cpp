// kelvane zones / count / zone / search / cities: the catalogue and its names.
#include <algorithm>
#include <array>
#include <map>
#include <sstream>

#include "check/data_file.h"
#include "commands.h"
#include "text_width.h"
#include "zone_format.h"

namespace kelvane::tool {
namespace {
constexpr std::size_t kLabelUnits = 12;
constexpr std::size_t kNameUnits = 64;
constexpr std::size_t kSearchNameUnits = 30;  // the engine's room for a search result's name

// The groups TZ_Zone.ini names, in file order.
std::vector<std::string> GroupNames(const Session &session) {
    Problems ignored;
    std::vector<std::string> groups;
    if (const auto file = LoadDataFile(session.DataDirectory(), "TZ_Zone.ini", ignored)) {
        for (const DataLine &line : file->lines) {
            if (line.comment || line.fields.size() < 2) continue;
            const std::string group = Utf8(line.fields[1]);
            if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
        }
    }
    return groups;
}

// The Detail of every system zone, the English name the search matches,
// read whole from TZ_Def.ini.
std::map<uint16_t, std::string> CatalogueNames(const Session &session) {
    constexpr std::size_t kDetailField = 16;
    Problems ignored;
    std::map<uint16_t, std::string> names;
    if (const auto file = LoadDataFile(session.DataDirectory(), "TZ_Def.ini", ignored)) {
        for (const DataLine &line : file->lines) {
            if (line.comment || line.fields.size() <= kDetailField) continue;
            names.emplace(static_cast<uint16_t>(std::stoul(Utf8(line.fields[0]))), Utf8(line.fields[kDetailField]));
        }
    }
    return names;
}

// An unknown group is an error, not an empty list.
void RequireGroup(const Session &session, const std::string &group) {
    const std::vector<std::string> groups = GroupNames(session);
    if (std::find(groups.begin(), groups.end(), group) != groups.end()) return;
    std::string list;
    for (const std::string &g : groups) list += (list.empty() ? "" : ", ") + g;
    throw std::runtime_error("no group \"" + group + "\" in TZ_Zone.ini; the groups are: " + list);
}

void AddZones(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("zones", "List zones west to east with GMT labels (GetAllTZInfo, GetSelectTZInfo)");
    auto selection = std::make_shared<uint16_t>(1);
    auto group = std::make_shared<std::string>();
    cmd->add_option("-s,--selection", *selection, "0 compatibility zones, 1 all (default), 3 user zones");
    cmd->add_option("-g,--group", *group, "only the zones of this group of TZ_Zone.ini (e.g. Europe)");
    cmd->callback([&options, selection, group] {
        Session session(options);
        std::vector<uint16_t> ids(TZ_MAX_ZONES);
        Json list = Json::array();
        std::ostringstream text;
        if (group->empty()) {
            TextBuffers entries(TZ_MAX_ZONES, kEntryUnits);
            uint32_t count = 0;
            session.Check(GetAllTZInfo(&count, ids.data(), entries.pointers.data(), *selection), "listing the zones");
            for (uint32_t i = 0; i < count; ++i) {
                list.push_back(Json{{"id", ids[i]}, {"entry", Utf8(entries.pointers[i])}});
                text << IdColumn(ids[i]) << EntryText(entries.pointers[i]) << '\n';
            }
        } else {
            RequireGroup(session, *group);
            TextBuffers names(TZ_MAX_ZONES, kNameUnits), labels(TZ_MAX_ZONES, kLabelUnits);
            uint16_t count = TZ_MAX_ZONES;
            const auto groupName = Utf16(*group);
            session.Check(GetSelectTZInfo(&count, groupName.c_str(), ids.data(), names.pointers.data(),
                                          labels.pointers.data(), *selection),
                          "listing the zones of group " + *group);
            for (uint16_t i = 0; i < count; ++i) {
                list.push_back(Json{{"id", ids[i]}, {"label", Utf8(labels.pointers[i])}, {"name", Utf8(names.pointers[i])}});
                text << IdColumn(ids[i]) << LabelColumn(labels.pointers[i]) << Isolated(Utf8(names.pointers[i])) << '\n';
            }
        }
        session.Emit(list, text.str());
    });
}

void AddCount(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("count", "Number of zones of a selection (GetTZCount)");
    auto selection = std::make_shared<uint16_t>(1);
    cmd->add_option("-s,--selection", *selection, "0 compatibility zones, 1 all (default), 3 user zones");
    cmd->callback([&options, selection] {
        Session session(options);
        uint16_t count = TZ_MAX_ZONES;
        session.Check(GetTZCount(*selection, &count), "counting the zones");
        session.Emit(Json{{"selection", *selection}, {"count", count}}, std::to_string(count) + "\n");
    });
}

Json DescriptionJson(const TZDesc &d) {
    return Json{{"list", Utf8(d.Desc1)}, {"short", Utf8(d.Desc2)}, {"standard", Utf8(d.Desc3)}, {"daylight", Utf8(d.Desc4)}};
}

std::string DescriptionText(const TZDesc &d, const std::string &indent) {
    return indent + "list name:     " + Utf8(d.Desc1) + "\n" + indent + "short name:    " + Utf8(d.Desc2) + "\n" + indent +
           "standard time: " + Utf8(d.Desc3) + "\n" + indent + "daylight time: " + Utf8(d.Desc4) + "\n";
}

void AddZone(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("zone", "A zone's rule and names (GetTZInfoByID, GetTZDescByID, GetTZAllLanguageDescByID)");
    auto id = std::make_shared<uint16_t>(0);
    auto all = std::make_shared<bool>(false);
    cmd->add_option("id", *id, "zone number")->required();
    cmd->add_flag("-a,--all-languages", *all, "names in every language of Lang_Def.ini");
    cmd->callback([&options, id, all] {
        Session session(options);
        const TZInfo zone = LoadZone(session, *id);
        Json json = RuleJson(zone);
        std::string text = "zone " + std::to_string(zone.TZID) + ", UTC" + UtcOffsetText(zone.Offset) + ", " +
                           RuleText(zone) + "\n";
        if (*all) {
            std::array<uint16_t, TZ_MAX_LANGUAGES> languages{};
            std::vector<TZDesc> descs(TZ_MAX_LANGUAGES);
            uint16_t count = TZ_MAX_LANGUAGES;
            session.Check(GetTZAllLanguageDescByID(*id, &count, languages.data(), descs.data()),
                          "reading the names of zone " + std::to_string(*id));
            Json names = Json::array();
            for (uint16_t k = 0; k < count; ++k) {
                Json entry = DescriptionJson(descs[k]);
                entry["language"] = languages[k];
                names.push_back(entry);
                text += "language " + std::to_string(languages[k]) + ":\n" + DescriptionText(descs[k], "  ");
            }
            json["names"] = names;
        } else {
            const TZDesc desc = LoadDescription(session, *id);
            json["names"] = DescriptionJson(desc);
            text += DescriptionText(desc, "");
        }
        session.Emit(json, text);
    });
}

void AddSearch(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("search", "System zones whose English name begins with a text (SearchTZbyName)");
    auto prefix = std::make_shared<std::string>();
    cmd->add_option("prefix", *prefix, "beginning of the name, case-sensitive")->required();
    cmd->callback([&options, prefix] {
        Session session(options);
        std::vector<uint16_t> ids(TZ_MAX_SYSTEM_ZONES);
        TextBuffers names(TZ_MAX_SYSTEM_ZONES, kSearchNameUnits);
        uint16_t count = 0;
        const auto name = Utf16(*prefix);
        session.Check(SearchTZbyName(name.c_str(), &count, ids.data(), names.pointers.data()), "searching for " + *prefix);
        Json list = Json::array();
        std::ostringstream text;
        const auto catalogue = CatalogueNames(session);
        for (uint16_t i = 0; i < count; ++i) {
            // The engine's room cuts long names; the catalogue has them whole.
            const auto whole = catalogue.find(ids[i]);
            const std::string full = whole != catalogue.end() ? whole->second : Utf8(names.pointers[i]);
            list.push_back(Json{{"id", ids[i]}, {"name", full}});
            text << IdColumn(ids[i]) << full << '\n';
        }
        session.Emit(list, text.str());
    });
}

void AddCities(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("cities", "Cities filed under a zone (GetSelectTZOffsetInfo)");
    auto id = std::make_shared<uint16_t>(0);
    cmd->add_option("zone", *id, "zone number")->required();
    cmd->callback([&options, id] {
        Session session(options);
        constexpr uint16_t kCapacity = 256;
        TextBuffers cities(kCapacity, 30), codes(kCapacity, 10), countries(kCapacity, 20);
        uint16_t count = kCapacity;
        const uint32_t code = GetSelectTZOffsetInfo(*id, &count, cities.pointers.data(), codes.pointers.data(),
                                                    countries.pointers.data());
        if (code == TZ_ERR_NOT_FOUND) count = 0;
        else session.Check(code, "reading the cities of zone " + std::to_string(*id));
        Json list = Json::array();
        std::ostringstream text;
        for (uint16_t i = 0; i < count; ++i) {
            list.push_back(Json{{"city", Utf8(cities.pointers[i])}, {"country", Utf8(countries.pointers[i])},
                                {"code", Utf8(codes.pointers[i])}});
            text << Utf8(cities.pointers[i]) << ", " << Utf8(countries.pointers[i]) << " (" << Utf8(codes.pointers[i]) << ")\n";
        }
        session.Emit(list, text.str());
    });
}
}  // namespace

void AddCatalogueCommands(CLI::App &app, const Options &options) {
    AddZones(app, options);
    AddCount(app, options);
    AddZone(app, options);
    AddSearch(app, options);
    AddCities(app, options);
}

}  // namespace kelvane::tool
