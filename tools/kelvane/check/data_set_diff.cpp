#include "check/data_set_diff.h"

#include <cstdio>

#include "calendar/civil_calendar.h"
#include "check/data_file.h"
#include "check/utc_offset.h"

namespace kelvane::tool {
namespace {
int Number(const std::u16string &field) {
    try {
        return std::stoi(Utf8(field));
    } catch (const std::exception &) {
        return 0;
    }
}

// The lines of a file with at least minFields fields.
std::vector<std::vector<std::u16string>> Rows(const std::filesystem::path &directory, const std::string &name,
                                              std::size_t minFields) {
    Problems ignored;
    std::vector<std::vector<std::u16string>> rows;
    if (const auto file = LoadDataFile(directory, name, ignored))
        for (const DataLine &line : file->lines)
            if (!line.comment && !line.blank && line.fields.size() >= minFields) rows.push_back(line.fields);
    return rows;
}

ZoneRuleFields RuleOf(const std::vector<std::u16string> &f) {
    return {Number(f[1]), Number(f[3]), Number(f[4]), Number(f[5]), Number(f[6]),  Number(f[7]),
            Number(f[8]), Number(f[9]), Number(f[10]), Number(f[11]), Number(f[12])};
}

std::string Changeover(int month, int week, int weekday, int hour) {
    static constexpr const char *kWeeks[] = {"?", "first", "second", "third", "fourth", "last"};
    static constexpr const char *kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static constexpr const char *kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12 || week < 1 || week > 5 || weekday < 0 || weekday > 6) return "an invalid date";
    char hours[16];
    std::snprintf(hours, sizeof hours, "%02d:00", hour);
    return std::string("the ") + kWeeks[week] + " " + kDays[weekday] + " of " + kMonths[month - 1] + " at " + hours;
}

std::string Date(int year, int month, int week, int weekday, int hour) {
    if (month < 1 || month > 12 || week < 1 || week > 5 || weekday < 0 || weekday > 6) return "?";
    const unsigned day = DayOfNthWeekday(year, static_cast<unsigned>(month), static_cast<unsigned>(week),
                                           static_cast<unsigned>(weekday));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02u %02d:00", year, month, day, hour);
    return text;
}

std::string ZoneName(std::uint16_t id, const std::string &name) { return "zone " + std::to_string(id) + " (" + name + ")"; }

void CompareZones(const DataSetContents &a, const DataSetContents &b, int year, std::vector<Change> *changes) {
    for (const auto &[id, zone] : a.zones)
        if (!b.zones.count(id)) changes->push_back({"zone removed", ZoneName(id, zone.name) + " removed"});
    for (const auto &[id, zone] : b.zones) {
        const auto old = a.zones.find(id);
        if (old == a.zones.end()) {
            changes->push_back({"zone added", ZoneName(id, zone.name) + " added: " + DescribeRule(zone.rule)});
            continue;
        }
        if (old->second.rule == zone.rule) continue;
        std::string text = ZoneName(id, zone.name) + ": rule changed\n  old: " + DescribeRule(old->second.rule) +
                           "\n  new: " + DescribeRule(zone.rule);
        if (const std::string dates = DaylightDates(zone.rule, year); !dates.empty())
            text += "\n  daylight time in " + std::to_string(year) + ": " + dates;
        changes->push_back({"rule", text});
    }
}

void CompareNames(const DataSetContents &a, const DataSetContents &b, std::vector<Change> *changes) {
    static constexpr const char *kFields[] = {"list name", "short name", "standard name", "daylight name"};
    for (const auto &[language, names] : b.languages) {
        const auto old = a.languages.find(language);
        const std::string which = std::to_string(language) + " (" + names.tag + ")";
        if (old == a.languages.end()) {
            changes->push_back({"language added", "language " + which + " added"});
            continue;
        }
        for (const auto &[zone, texts] : names.zones) {
            const auto before = old->second.zones.find(zone);
            if (before == old->second.zones.end()) continue;  // a zone added is reported as such
            for (std::size_t i = 0; i < texts.size(); ++i)
                if (before->second[i] != texts[i])
                    changes->push_back({"name", "zone " + std::to_string(zone) + " in " + which + ": " + kFields[i] +
                                                    " \"" + before->second[i] + "\" is now \"" + texts[i] + "\""});
        }
    }
    for (const auto &[language, names] : a.languages)
        if (!b.languages.count(language))
            changes->push_back({"language removed", "language " + std::to_string(language) + " (" + names.tag + ") removed"});
}

void ComparePlaces(const DataSetContents &a, const DataSetContents &b, std::vector<Change> *changes) {
    for (const auto &[place, zone] : b.places) {
        const auto old = a.places.find(place);
        if (old == a.places.end())
            changes->push_back({"place added", place + " added under zone " + std::to_string(zone)});
        else if (old->second != zone)
            changes->push_back({"place moved", place + " moved from zone " + std::to_string(old->second) + " to zone " +
                                                   std::to_string(zone)});
    }
    for (const auto &[place, zone] : a.places)
        if (!b.places.count(place))
            changes->push_back({"place removed", place + " removed from zone " + std::to_string(zone)});
}
}  // namespace

DataSetContents ReadDataSetContents(const std::filesystem::path &directory) {
    DataSetContents contents;
    contents.record = ReadDataSetRecord(directory);
    for (const auto &f : Rows(directory, "TZ_Def.ini", 17))
        contents.zones[static_cast<std::uint16_t>(Number(f[0]))] = {RuleOf(f), Utf8(f[16])};
    for (const auto &language : Rows(directory, "Lang_Def.ini", 2)) {
        LanguageNames names;
        names.tag = language.size() > 2 ? Utf8(language[2]) : std::string("?");
        for (const auto &f : Rows(directory, Utf8(language[1]), 5))
            names.zones[static_cast<std::uint16_t>(Number(f[0]))] = {Utf8(f[1]), Utf8(f[2]), Utf8(f[3]), Utf8(f[4])};
        contents.languages[static_cast<std::uint16_t>(Number(language[0]))] = std::move(names);
    }
    for (const auto &f : Rows(directory, "TZ_CityZoneNum.ini", 4))
        contents.places[Utf8(f[1]) + " (" + Utf8(f[3]) + ")"] = static_cast<std::uint16_t>(Number(f[0]));
    return contents;
}

std::string DescribeRule(const ZoneRuleFields &r) {
    // Summed in 64 bits: the file may hold any two 32-bit values.
    const std::string standard = "UTC" + UtcOffsetDigits(std::int64_t{r.offset} + r.stdBias);
    if (r.dltMonth == 0) return standard + " all year";
    return standard + "; daylight time UTC" + UtcOffsetDigits(std::int64_t{r.offset} + r.dltBias) + " from " +
           Changeover(r.dltMonth, r.dltWeek, r.dltWeekday, r.dltHour) + " to " +
           Changeover(r.stdMonth, r.stdWeek, r.stdWeekday, r.stdHour);
}

std::string DaylightDates(const ZoneRuleFields &r, int year) {
    if (r.dltMonth == 0) return {};
    const std::string start = Date(year, r.dltMonth, r.dltWeek, r.dltWeekday, r.dltHour);
    const std::string end = Date(year, r.stdMonth, r.stdWeek, r.stdWeekday, r.stdHour);
    if (r.stdMonth > r.dltMonth) return start + " to " + end;
    return "until " + end + ", and from " + start;  // southern: the year starts in daylight time
}

std::vector<Change> CompareDataSets(const DataSetContents &before, const DataSetContents &after) {
    std::vector<Change> changes;
    const int year = after.record ? after.record->year : 0;
    if (before.record && after.record && DescribeDataSet(*before.record) != DescribeDataSet(*after.record))
        changes.push_back({"data set", "data set: " + DescribeDataSet(*before.record) + "\n  is now: " +
                                           DescribeDataSet(*after.record)});
    CompareZones(before, after, year, &changes);
    ComparePlaces(before, after, &changes);
    CompareNames(before, after, &changes);
    return changes;
}

}  // namespace kelvane::tool
