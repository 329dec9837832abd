// The data checker against small directories, sound and broken.
#include "check/data_check.h"

#include <gtest/gtest.h>

#include <tuple>

#include "check/data_set.h"
#include "check/data_set_diff.h"

#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane::tool {
namespace {
using test::DataDir;
using test::Text;
using test::Utf16Bytes;
using test::ZoneText;

// A small directory the engine reads without complaint.
void WriteSoundDirectory(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {KT(";TZID\tOffset"), ZoneText({.id = 1, .offset = 0, .detail = "UTC"}),
                                  ZoneText({.id = 2, .offset = 300, .stdMonth = 11, .stdDay = 1, .stdHour = 2, .dltMonth = 3,
                                            .dltDay = 2, .dltHour = 2, .dltOffset = -60, .detail = "New$York"})});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .offset = -330, .type = 3, .detail = "Mine"})});
    dir.WriteLines("TZ_Set.ini", {KT("    1\t  0\t1033\t        1\t0x0409")});
    dir.WriteLines("TZ_Frequency.ini", {KT("    2\t1"), KT("10000\t1")});
    dir.WriteLines("TZ_Zone.ini", {KT("1 Europe"), KT("2 America")});
    dir.WriteLines("TZ_CityZoneNum.ini", {KT("2 New$York United$States US")});
    dir.WriteLines("Lang_Def.ini", {KT("1033 TZ_Desc_1033.ini")});
    dir.WriteLines("TZ_Desc_1033.ini", {KT("1 UTC UTC UTC UTC"), KT("2 Eastern Eastern EST EDT")});
}

std::vector<std::string> Report(const DataDir &dir) {
    std::vector<std::string> lines;
    const Problems problems = CheckDataDirectory(dir.Path());
    for (const Problem &p : problems.List()) lines.push_back(Format(p));
    return lines;
}

// Rules of another year than the device's clock, or a newer tz database on the
// system: a warning (its words are checked through the tool); the same, an
// older or an unknown one: none.
TEST(DataCheck, WarnsOfRulesOfAnotherYearOrANewerDatabase) {
    DataDir dir;
    WriteSoundDirectory(dir);
    dir.WriteBytes("dataset.txt", "# made by hand\nyear = 2026\ntzdata = 2026f\n");
    const std::tuple<int, const char *, std::size_t> cases[] = {{2027, "", 1},    {2026, "2027a", 1}, {2026, "2026f", 0},
                                                                {2026, "2026e", 0}, {2026, "", 0},      {2026, "unknown", 0}};
    for (const auto &[clockYear, system, warnings] : cases)
        EXPECT_EQ(CheckDataDirectory(dir.Path(), clockYear, system).List().size(), warnings) << clockYear << " " << system;
    for (const auto &[a, b, older] : {std::tuple{"2026f", "2026g", true}, std::tuple{"2026z", "2026za", true},
                                      std::tuple{"2026za", "2027a", true}, std::tuple{"2027a", "2026z", false},
                                      std::tuple{"2026f", "2026f", false}, std::tuple{"2026", "2026a", true},
                                      std::tuple{"26f", "2027a", false}, std::tuple{"2026F", "2027a", false}})
        EXPECT_EQ(TzdataOlder(a, b), older) << a << " " << b;
    dir.WriteBytes("dataset.txt", "tzdata = 2026f\n");
    EXPECT_EQ(Report(dir), std::vector<std::string>{"dataset.txt: warning: no 'year = YYYY' line: the year of the rules is unknown"});
}

// Two data sets compared: each kind of change in words, nothing for what stayed.
TEST(CompareDataSets, SaysWhatChangedZoneByZone) {
    DataSetContents before;
    before.record = DataSetRecord{2026, "2026f", "42.0", "72.1"};
    const ZoneRuleFields newYork{300, 11, 1, 0, 2, 0, 3, 2, 0, 2, -60};
    before.zones = {{1, {{0}, "UTC"}}, {2, {newYork, "New York"}}, {4, {{-600, 4, 1, 0, 3, 0, 10, 1, 0, 2, -60}, "Sydney"}}};
    before.languages[1033] = {"en-US", {{2, {"Eastern Time", "Eastern", "EST", "EDT"}}}};
    before.places = {{"New York (US)", 2}, {"Detroit (US)", 2}};
    DataSetContents after = before;
    after.record->year = 2027;
    after.zones.erase(1);
    after.zones[3] = {{-60}, "Lagos"};
    after.zones[2].rule.dltWeek = 3;
    after.zones[4].rule.offset = -570;
    after.languages[1033].zones[2][3] = "Eastern Daylight Time";
    after.languages[1025] = {"ar-SA", {}};
    after.places["Detroit (US)"] = 3;
    after.places["Lagos (NG)"] = 3;
    std::vector<std::string> texts;
    for (const Change &c : CompareDataSets(before, after)) texts.push_back(c.text);
    const std::vector<std::string> expected = {
        "data set: rules of 2026, tz database 2026f, names from CLDR 42.0 through ICU 72.1\n"
        "  is now: rules of 2027, tz database 2026f, names from CLDR 42.0 through ICU 72.1",
        "zone 1 (UTC) removed",
        "zone 2 (New York): rule changed\n"
        "  old: UTC-05:00; daylight time UTC-04:00 from the second Sunday of March at 02:00 to the first Sunday of November at 02:00\n"
        "  new: UTC-05:00; daylight time UTC-04:00 from the third Sunday of March at 02:00 to the first Sunday of November at 02:00\n"
        "  daylight time in 2027: 2027-03-21 02:00 to 2027-11-07 02:00",
        "zone 3 (Lagos) added: UTC+01:00 all year",
        "zone 4 (Sydney): rule changed\n"
        "  old: UTC+10:00; daylight time UTC+11:00 from the first Sunday of October at 02:00 to the first Sunday of April at 03:00\n"
        "  new: UTC+09:30; daylight time UTC+10:30 from the first Sunday of October at 02:00 to the first Sunday of April at 03:00\n"
        "  daylight time in 2027: until 2027-04-04 03:00, and from 2027-10-03 02:00",
        "Detroit (US) moved from zone 2 to zone 3",
        "Lagos (NG) added under zone 3",
        "language 1025 (ar-SA) added",
        "zone 2 in 1033 (en-US): daylight name \"EDT\" is now \"Eastern Daylight Time\"",
    };
    EXPECT_EQ(texts, expected);
}

// One file of the sound directory replaced by these lines, or (none given) by
// these bytes, or (neither) removed; one reported line starts with `expected`.
struct BrokenCase {
    const char *file;
    std::vector<Text> lines;
    std::string bytes, expected;
};

TEST(DataCheck, ReportsEveryKindOfBreakage) {
    std::vector<Text> tooManyZones;
    for (int id = 1; id <= 151; ++id) tooManyZones.push_back(ZoneText({.id = id}));
    const std::vector<BrokenCase> cases = {
        {"TZ_Zone.ini", {}, "1 Europe\r\n", "TZ_Zone.ini: error: not UTF-16LE"},
        {"TZ_Zone.ini", {}, Utf16Bytes(KT("1 Europe\r\n2 Amer")).substr(0, 25), "TZ_Zone.ini: error: odd number of bytes"},
        {"TZ_Zone.ini", {}, Utf16Bytes(KT("1 Europe\r\n"), false), "TZ_Zone.ini: error: no UTF-16LE byte-order mark"},
        {"TZ_Def.ini", {ZoneText({.id = 1}), ZoneText({.id = 2}), ZoneText({.id = 10000})}, "",
         "TZ_UserDef.ini:1: error: zone 10000 already defined at TZ_Def.ini:3"},
        {"TZ_UserDef.ini", {ZoneText({.id = 10050, .type = 3, .detail = "x"})}, "",
         "TZ_UserDef.ini:1: error: user zone 10050 outside 10000 to 10049"},
        {"TZ_Desc_1033.ini", {}, "", "Lang_Def.ini:1: error: description file TZ_Desc_1033.ini is missing"},
        {"TZ_Desc_1033.ini", {KT("1 UTC UTC UTC UTC")}, "", "TZ_Desc_1033.ini: error: lacks 1 catalogue zone(s): 2"},
        {"TZ_UserDef.ini", {ZoneText({.id = 10001, .type = 1, .detail = "x"})}, "",
         "TZ_UserDef.ini:1: error: user zone of Type 1"},
        {"TZ_Frequency.ini", {KT("77\t1")}, "", "TZ_Frequency.ini:1: error: favourite names zone 77"},
        {"TZ_Set.ini", {KT("9 0 1033 1 0x0409")}, "", "TZ_Set.ini:1: error: current zone 9 is not in the catalogue"},
        {"TZ_Def.ini", {KT("1 0 1 x3 0 0 0 0 0 0 0 0 0 0 0 0")}, "",
         "TZ_Def.ini:1: error: StdMonth (field 4) is \"x3\", not a decimal number"},
        {"TZ_Def.ini", {KT("1 0 1 3 1 9 2 0 10 5 0 3 -60 0 0 0")}, "",
         "TZ_Def.ini:1: error: StdDayOfWeek (field 6) is 9, outside 0 to 6"},
        {"TZ_CityZoneNum.ini", {KT("2 New$York US")}, "", "TZ_CityZoneNum.ini:1: error: 3 fields, at least 4 needed"},
        {"TZ_Zone.ini", {KT("1 ") + Text(260, KT('a'))}, "", "TZ_Zone.ini:1: error: line of 264 units"},
        {"TZ_Zone.ini", {KT("1 ") + Text(70, KT('a'))}, "", "TZ_Zone.ini:1: error: field 2 is 70 units long"},
        {"TZ_Zone.ini", {KT("5 Asia")}, "", "TZ_Zone.ini:1: error: group entry names zone 5"},
        {"TZ_CityZoneNum.ini", {}, "", "TZ_CityZoneNum.ini: error: missing"},
        {"TZ_Def.ini", tooManyZones, "", "TZ_Def.ini: error: 151 zones; the engine lists at most 150"},
    };
    for (const BrokenCase &c : cases) {
        DataDir dir;
        WriteSoundDirectory(dir);
        if (!c.lines.empty()) dir.WriteLines(c.file, c.lines);
        else if (!c.bytes.empty()) dir.WriteBytes(c.file, c.bytes);
        else dir.Remove(c.file);
        const auto report = Report(dir);
        const bool found = std::any_of(report.begin(), report.end(),
                                       [&](const std::string &line) { return line.rfind(c.expected, 0) == 0; });
        EXPECT_TRUE(found) << "expected \"" << c.expected << "\" in\n" << ::testing::PrintToString(report);
    }
}

// Languages sharing one description file: the file is read and judged once,
// however many lines name it.
TEST(DataCheck, ChecksADescriptionFileOnce) {
    DataDir dir;
    WriteSoundDirectory(dir);
    dir.WriteLines("Lang_Def.ini", {KT("1033 TZ_Desc_1033.ini"), KT("2057 ./TZ_Desc_1033.ini"), KT("3081 TZ_Desc_1033.ini")});
    dir.WriteLines("TZ_Desc_1033.ini", {KT("1 UTC UTC UTC UTC"), KT("9 Nine Nine N N")});
    EXPECT_EQ(Report(dir), (std::vector<std::string>{
                               "TZ_Desc_1033.ini:2: warning: describes zone 9, which is not in the catalogue",
                               "TZ_Desc_1033.ini: error: lacks 1 catalogue zone(s): 2"}));
}

}  // namespace
}  // namespace kelvane::tool
