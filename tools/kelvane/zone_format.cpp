#include "zone_format.h"

#include <cstdio>

#include "commands.h"
#include "platform/platform.h"
#include "text_width.h"

namespace kelvane::tool {

std::string IdColumn(uint16_t id) {
    const std::string digits = std::to_string(id);
    return std::string(digits.size() < 5 ? 5 - digits.size() : 0, ' ') + digits + "  ";
}

std::string EntryText(const TZChar *entry) {
    std::string text = Utf8(entry);
    const std::string bare = "(GMT)";
    if (text.starts_with(bare) && text.size() > bare.size() && text[bare.size()] != ' ') text.insert(bare.size(), " ");
    // The label stays left to right; the name after it may be right to left.
    const auto name = text.starts_with("(GMT") ? text.find(' ') : std::string::npos;
    if (name == std::string::npos) return Isolated(text);
    return text.substr(0, name + 1) + Isolated(text.substr(name + 1));
}

std::string LabelColumn(const TZChar *label) {
    constexpr std::size_t kWidth = 9;  // "GMT+01:00"
    std::string text = Utf8(label);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + std::string(text.size() < kWidth ? kWidth - text.size() : 0, ' ') + " ";
}

TZInfo LoadZone(const Session &session, uint16_t id) {
    TZInfo zone{};
    const uint32_t code = GetTZInfoByID(&id, 1, &zone);
    session.Check(code, "looking up zone " + std::to_string(id));
    return zone;
}

TZDesc LoadDescription(const Session &session, uint16_t id) {
    TZDesc desc{};
    desc.TZID = id;
    session.Check(GetTZDescByID(&id, 1, &desc), "reading the names of zone " + std::to_string(id));
    return desc;
}

Json RuleJson(const TZInfo &z) {
    Json rule = Json::object();
    rule["id"] = z.TZID;
    rule["type"] = z.Type;
    rule["offset"] = z.Offset;
    rule["utcOffset"] = UtcOffsetText(z.Offset);
    rule["standardStart"] = {{"month", z.StdMonth}, {"week", z.StdDay}, {"weekday", z.StdDayOfWeek}, {"hour", z.StdHour}};
    rule["daylightStart"] = {{"month", z.DltMonth}, {"week", z.DltDay}, {"weekday", z.DltDayOfWeek}, {"hour", z.DltHour}};
    rule["standardBias"] = z.StdOffSet;
    rule["daylightBias"] = z.DltOffset;
    rule["x"] = z.X;
    rule["y"] = z.Y;
    rule["contact"] = z.Contact;
    return rule;
}

std::string RuleText(const TZInfo &z) {
    static const char *const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const kWeeks[6] = {"last", "1st", "2nd", "3rd", "4th", "last"};
    if (z.StdMonth == 0 || z.DltMonth == 0) return "no daylight saving";
    char text[160];
    std::snprintf(text, sizeof text, "daylight from the %s %s of month %u at %02u:00 to the %s %s of month %u at %02u:00, bias %d",
                  kWeeks[z.DltDay % 6], kWeekdays[z.DltDayOfWeek % 7], z.DltMonth, z.DltHour, kWeeks[z.StdDay % 6],
                  kWeekdays[z.StdDayOfWeek % 7], z.StdMonth, z.StdHour, z.DltOffset);
    return text;
}

SYSTEMTIME DeviceUtc(Session &session) {
    SYSTEMTIME utc{};
    session.Device().GetSystemTime(&utc);
    return utc;
}

ZoneClock ClockOf(const Session &session, const TZInfo &zone, const SYSTEMTIME &utc) {
    const auto judge = [&](const SYSTEMTIME &moment) {
        uint32_t state = 0;
        session.Check(QueryTZDltStateByDate(zone.TZID, &moment, &state),
                      "judging daylight saving in zone " + std::to_string(zone.TZID));
        return state == 1;
    };
    const int64_t standardBias = int64_t{zone.Offset} + zone.StdOffSet;
    const int64_t daylightBias = int64_t{zone.Offset} + zone.DltOffset;
    if (!ShownBias(standardBias) || !ShownBias(daylightBias)) return ZoneClock{utc, standardBias, false, false};
    SYSTEMTIME standard = utc, daylight = utc;
    CalcDateTime(&standard, static_cast<int32_t>(-standardBias * 60));
    CalcDateTime(&daylight, static_cast<int32_t>(-daylightBias * 60));
    // Daylight time when the zone's clocks read daylight time either way, as
    // after the hour of the change back the daylight reading is past it.
    if (judge(standard) && judge(daylight)) return ZoneClock{daylight, daylightBias, true, true};
    return ZoneClock{standard, standardBias, false, true};
}

}  // namespace kelvane::tool
