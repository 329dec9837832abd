// kelvane dst / offset / switch / fix / daylight / clock: daylight saving,
// zone switching and the world clock.
#include <iostream>
#include <sstream>

#include "check/data_set.h"
#include "dst/daylight_query.h"
#include "commands.h"
#include "text_width.h"
#include "zone_format.h"

namespace kelvane::tool {
namespace {
void AddDst(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("dst", "Whether a zone's daylight time is in force (QueryTZDltStateByDate)");
    auto id = std::make_shared<uint16_t>(0);
    auto at = std::make_shared<std::string>();
    cmd->add_option("zone", *id, "zone number")->required();
    cmd->add_option("--at", *at,
                    "the zone's local time, \"YYYY-MM-DD hh:mm\" (default: now, judged on the zone's own clock)");
    cmd->callback([&options, id, at] {
        Session session(options);
        const std::string doing = "judging daylight saving in zone " + std::to_string(*id);
        uint32_t state = 0;
        SYSTEMTIME moment{};
        if (at->empty()) {
            // The engine's own reading of the zone's current wall-clock time.
            session.Check(static_cast<uint32_t>(QueryTZDltState(*id, &state)), doing);
            moment = ClockOf(session, LoadZone(session, *id), DeviceUtc(session)).local;
        } else {
            moment = ParseDateTime(*at);
            session.Check(QueryTZDltStateByDate(*id, &moment, &state), doing);
        }
        session.Emit(Json{{"zone", *id}, {"moment", FormatDateTime(moment)}, {"daylight", state == 1}},
                     std::string(state == 1 ? "daylight time" : "standard time") + " in zone " + std::to_string(*id) +
                         " at " + FormatDateTime(moment) + "\n");
    });
}

void AddOffset(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("offset", "Minutes zone B's clock is ahead of zone A's, right now (GetTZOffset)");
    auto a = std::make_shared<uint16_t>(0), b = std::make_shared<uint16_t>(0);
    cmd->add_option("a", *a, "zone number")->required();
    cmd->add_option("b", *b, "zone number")->required();
    cmd->callback([&options, a, b] {
        Session session(options);
        const int32_t minutes = GetTZOffset(*a, *b, 0);
        if (minutes == TZ_OFFSET_ERROR)
            throw EngineError(TZ_ERR_NOT_FOUND, "comparing zones " + std::to_string(*a) + " and " + std::to_string(*b));
        session.Emit(Json{{"a", *a}, {"b", *b}, {"minutes", minutes}},
                     "zone " + std::to_string(*b) + " is " + std::to_string(minutes) + " minutes ahead of zone " +
                         std::to_string(*a) + "\n");
    });
}

void AddSwitch(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("switch", "Switch the device to a zone (ChangeTZ)");
    auto id = std::make_shared<uint16_t>(0);
    auto noDst = std::make_shared<bool>(false);
    cmd->add_option("zone", *id, "zone number")->required();
    cmd->add_flag("--no-dst", *noDst, "do not apply daylight saving time");
    cmd->callback([&options, id, noDst] {
        Session session(options);
        session.Check(ChangeTZ(*id, *noDst ? 0 : 1), "switching to zone " + std::to_string(*id));
        session.Emit(Json{{"zone", *id}, {"dst", !*noDst}}, "switched to zone " + std::to_string(*id) + "\n");
    });
}

void AddFix(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("fix", "Bring the clock's daylight settings in line with the zone (FixTZ)");
    cmd->callback([&options] {
        Session session(options);
        session.Check(FixTZ(), "correcting the clock's daylight settings");
        session.Emit(Json{{"fixed", true}}, "done\n");
    });
}

void AddDaylight(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("daylight", "Whether the device is in daylight time (GetTZDaylightTime)");
    cmd->callback([&options] {
        Session session(options);
        uint32_t daylight = 0;
        session.Check(GetTZDaylightTime(&daylight), "asking the device for its daylight state");
        session.Emit(Json{{"daylight", daylight == 1}}, daylight == 1 ? "daylight time\n" : "standard time\n");
    });
}

Json ClockJson(const TZInfo &zone, const std::string &name, const ZoneClock &clock, bool current) {
    return Json{{"zone", zone.TZID}, {"name", name}, {"current", current}, {"time", FormatDateTime(clock.local)},
                {"utcOffset", UtcOffsetText(clock.bias)}, {"daylight", clock.daylight}};
}

std::string ClockLine(const std::string &name, const ZoneClock &clock, bool current) {
    return std::string(current ? "* " : "  ") + FitColumns(name, 40) + " " + FormatDateTime(clock.local) + "  UTC" +
           UtcOffsetText(clock.bias) + (clock.daylight ? "  DST" : "") + "\n";
}

// Once, before the clock: rules of another year may show wrong times.
void WarnIfStale(const Session &session, int clockYear) {
    const auto record = ReadDataSetRecord(session.DataDirectory());
    if (!record) return;
    if (const auto stale = StaleRulesWarning(*record, clockYear)) std::cerr << "kelvane: warning: " << *stale << '\n';
}

void AddClock(CLI::App &app, const Options &options) {
    auto *cmd = app.add_subcommand("clock", "World clock: the current zone and every favourite");
    cmd->callback([&options] {
        Session session(options);
        uint16_t current = 0;
        session.Check(GetLocalTZID(&current), "reading the current zone");
        std::vector<uint16_t> zones{current};
        std::vector<uint16_t> favourites(TZ_MAX_ZONES);
        uint16_t count = TZ_MAX_ZONES;
        session.Check(GetTZFrequency(&count, favourites.data(), 1), "reading the favourites");
        for (uint16_t i = 0; i < count; ++i) {
            if (favourites[i] != current) zones.push_back(favourites[i]);
        }
        const SYSTEMTIME utc = DeviceUtc(session);
        WarnIfStale(session, utc.wYear);
        Json list = Json::array();
        std::string text = "UTC " + FormatDateTime(utc) + "\n";
        for (uint16_t id : zones) {
            const TZInfo zone = LoadZone(session, id);
            const std::string name = Utf8(LoadDescription(session, id).Desc1);
            const ZoneClock clock = ClockOf(session, zone, utc);
            list.push_back(ClockJson(zone, name, clock, id == current));
            text += ClockLine(name.empty() ? "zone " + std::to_string(id) : name, clock, id == current);
        }
        session.Emit(Json{{"utc", FormatDateTime(utc)}, {"zones", list}}, text);
    });
}
}  // namespace

void AddClockCommands(CLI::App &app, const Options &options) {
    AddClock(app, options);
    AddDst(app, options);
    AddOffset(app, options);
    AddSwitch(app, options);
    AddFix(app, options);
    AddDaylight(app, options);
}

}  // namespace kelvane::tool
