// kelvane calendar ...: the engine's calendar helpers from the command line.
#include <cstdio>
#include <sstream>

#include "calendar/civil_calendar.h"
#include "commands.h"

namespace kelvane::tool {
namespace {
const char *const kWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of 1 to maxDigits digits at *at, and nothing more of them.
bool ReadNumber(const std::string &text, std::size_t *at, std::size_t maxDigits, int *value) {
    const std::size_t start = *at;
    *value = 0;
    for (; *at < text.size() && IsDigit(text[*at]); ++*at) {
        if (*at - start == maxDigits) return false;
        *value = *value * 10 + (text[*at] - '0');
    }
    return *at > start;
}

bool ReadUnit(const std::string &text, std::size_t *at, char unit) {
    if (*at >= text.size() || text[*at] != unit) return false;
    ++*at;
    return true;
}

// The fields of "YYYY-MM-DD[ hh:mm[:ss]]" when the text is exactly that and
// names a day of the calendar (years 0 to 65535) and a time of that day.
bool ReadDateTime(const std::string &text, int (&f)[6]) {
    std::size_t at = 0;
    if (!ReadNumber(text, &at, 5, &f[0]) || !ReadUnit(text, &at, '-') || !ReadNumber(text, &at, 2, &f[1]) ||
        !ReadUnit(text, &at, '-') || !ReadNumber(text, &at, 2, &f[2]))
        return false;
    if (at < text.size() && (!ReadUnit(text, &at, ' ') || !ReadNumber(text, &at, 2, &f[3]) ||
                             !ReadUnit(text, &at, ':') || !ReadNumber(text, &at, 2, &f[4])))
        return false;
    if (at < text.size() && (!ReadUnit(text, &at, ':') || !ReadNumber(text, &at, 2, &f[5]))) return false;
    if (at != text.size() || f[0] > 65535 || f[1] < 1 || f[1] > 12 || f[2] < 1 ||
        static_cast<unsigned>(f[2]) > MonthLength(f[0], static_cast<unsigned>(f[1])))
        return false;
    return f[3] <= 23 && f[4] <= 59 && f[5] <= 59;
}

TZDate ParseDate(const std::string &text) {
    int f[6] = {};
    if (text.find(' ') != std::string::npos || !ReadDateTime(text, f))
        throw UsageError("'" + text + "' is not a date of the calendar of the form YYYY-MM-DD");
    return TZDate{static_cast<uint16_t>(f[0]), static_cast<uint8_t>(f[1]), static_cast<uint8_t>(f[2])};
}

std::string DateText(const TZDate &date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", date.year, date.month, date.day);
    return text;
}

void AddMonthLength(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("days", "Days in the month of a date (GetDayNumOfMonth)");
    auto date = std::make_shared<std::string>();
    cmd->add_option("date", *date, "YYYY-MM-DD")->required();
    cmd->callback([&options, date] {
        Session session(options);
        const TZDate d = ParseDate(*date);
        const uint32_t days = GetDayNumOfMonth(&d);
        if (days == 0) throw UsageError("no month length for " + *date + " (year from 1900, month 1-12, day 1-31)");
        session.Emit(Json{{"date", DateText(d)}, {"days", days}}, std::to_string(days) + "\n");
    });
}

void AddWeekday(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("weekday", "Day of the week and validity of a date (GetDayOfWeek, IsDateValid)");
    auto date = std::make_shared<std::string>();
    cmd->add_option("date", *date, "YYYY-MM-DD, 1900 to 2099")->required();
    cmd->callback([&options, date] {
        Session session(options);
        const TZDate d = ParseDate(*date);
        const uint32_t weekday = GetDayOfWeek(&d);
        if (weekday == 0xFFFFFFFFu) {
            session.Emit(Json{{"date", *date}, {"valid", false}}, *date + " is not a valid date from 1900 to 2099\n");
            return;
        }
        session.Emit(Json{{"date", DateText(d)}, {"valid", IsDateValid(&d) == 1}, {"weekday", weekday},
                          {"weekdayName", kWeekdays[weekday]}},
                     DateText(d) + " is a " + kWeekdays[weekday] + "\n");
    });
}

void AddNthWeekday(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("nth-weekday", "Day of the n-th weekday of a month, 5 the last (GetDateFromWeekInfo)");
    auto values = std::make_shared<std::array<uint16_t, 4>>();
    cmd->add_option("year", (*values)[0])->required();
    cmd->add_option("month", (*values)[1], "1-12")->required();
    cmd->add_option("week", (*values)[2], "1-5, 5 (or 0) the last")->required();
    cmd->add_option("weekday", (*values)[3], "0 Sunday to 6 Saturday")->required();
    cmd->callback([&options, values] {
        Session session(options);
        const auto &v = *values;
        const uint16_t day = GetDateFromWeekInfo(v[0], v[1], v[2], v[3]);
        if (day == 0) throw UsageError("no such weekday rule (year 1900-2099, month 1-12, week 0-5, weekday 0-6)");
        const TZDate date{v[0], static_cast<uint8_t>(v[1]), static_cast<uint8_t>(day)};
        session.Emit(Json{{"date", DateText(date)}, {"day", day}}, DateText(date) + "\n");
    });
}

void AddSeconds(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("add", "Add seconds to a time (CalcDateTime)");
    auto time = std::make_shared<std::string>();
    auto seconds = std::make_shared<int32_t>(0);
    cmd->add_option("time", *time, "\"YYYY-MM-DD hh:mm[:ss]\"")->required();
    cmd->add_option("seconds", *seconds, "may be negative")->required()->allow_extra_args(false);
    cmd->callback([&options, time, seconds] {
        Session session(options);
        SYSTEMTIME t = ParseDateTime(*time);
        if (CalcDateTime(&t, *seconds) == 0) throw UsageError("the calendar cannot represent that time (1601 to 30827)");
        session.Emit(DateTimeJson(t), FormatDateTime(t) + " (" + kWeekdays[t.wDayOfWeek % 7] + ")\n");
    });
}

void AddCompare(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("compare", "Compare two times to the minute (CompareDateTime)");
    auto a = std::make_shared<std::string>(), b = std::make_shared<std::string>();
    cmd->add_option("a", *a, "\"YYYY-MM-DD hh:mm[:ss]\"")->required();
    cmd->add_option("b", *b, "\"YYYY-MM-DD hh:mm[:ss]\"")->required();
    cmd->callback([&options, a, b] {
        Session session(options);
        const SYSTEMTIME ta = ParseDateTime(*a), tb = ParseDateTime(*b);
        const int32_t order = CompareDateTime(&ta, &tb);
        const char *word = order < 0 ? "earlier than" : order > 0 ? "later than" : "the same minute as";
        session.Emit(Json{{"result", order}}, *a + " is " + word + " " + *b + "\n");
    });
}

void AddPack(CLI::App &calendar, const Options &options) {
    auto *cmd = calendar.add_subcommand("pack", "Pack a time into a 32-bit date and 16-bit time (TimeConvert_SYSTEMTIME_To_DWORD)");
    auto time = std::make_shared<std::string>();
    cmd->add_option("time", *time, "\"YYYY-MM-DD hh:mm\"")->required();
    cmd->callback([&options, time] {
        Session session(options);
        const SYSTEMTIME t = ParseDateTime(*time);
        uint32_t date = 0;
        uint16_t hourMinute = 0;
        TimeConvert_SYSTEMTIME_To_DWORD(&t, &date, &hourMinute);
        char text[64];
        std::snprintf(text, sizeof text, "date 0x%08X time 0x%04X\n", date, hourMinute);
        session.Emit(Json{{"date", date}, {"time", hourMinute}}, text);
    });
}
}  // namespace

// Every date the tool reads comes through here, so each is checked alike.
SYSTEMTIME ParseDateTime(const std::string &text) {
    int f[6] = {};
    if (!ReadDateTime(text, f))
        throw UsageError("'" + text + "' is not a date of the calendar of the form \"YYYY-MM-DD[ hh:mm[:ss]]\"");
    return SYSTEMTIME{static_cast<uint16_t>(f[0]), static_cast<uint16_t>(f[1]), 0, static_cast<uint16_t>(f[2]),
                      static_cast<uint16_t>(f[3]), static_cast<uint16_t>(f[4]), static_cast<uint16_t>(f[5]), 0};
}

std::string FormatDateTime(const SYSTEMTIME &t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

Json DateTimeJson(const SYSTEMTIME &t) {
    return Json{{"time", FormatDateTime(t)}, {"weekday", t.wDayOfWeek}};
}

void AddCalendarCommands(CLI::App &app, const Options &options) {
    auto *calendar = app.add_subcommand("calendar", "Calendar helpers");
    calendar->require_subcommand(1);
    AddMonthLength(*calendar, options);
    AddWeekday(*calendar, options);
    AddNthWeekday(*calendar, options);
    AddSeconds(*calendar, options);
    AddCompare(*calendar, options);
    AddPack(*calendar, options);
}

}  // namespace kelvane::tool
