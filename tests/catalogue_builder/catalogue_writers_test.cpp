// The builder's writers: what they write reads back through the engine's own
// readers as it was meant, and what the engine would read differently is
// refused rather than written.
#include "files/writers.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/zone_list.h"
#include "catalogue_builder/data_files.h"
#include "settings/settings_file.h"

namespace kelvane::builder {
namespace {
using kelvane::test::DataDir;
using kelvane::test::DataLines;

const Text kBerlin = KT("Central European Time (Berlin)");

DataDirectory SmallDirectory() {
    DataDirectory data;
    data.sources = RulesNote(2026, "2025b", "CLDR 42.0 through ICU 72.1");
    data.zones = {{55, kDefaultZoneType, {-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}}, 0, 0, 55, kBerlin},
                  {114, kBasicZoneType, {-540, 0, 0, {}, {}}, 0, 0, 114, KT("Japan Time (Tokyo)")}};
    const std::vector<ZoneDescription> names = {
        {55, kBerlin, KT("Central European Time"), KT("Central European Standard Time"), KT("Central European Summer Time")},
        {114, KT("Japan Time (Tokyo)"), KT("Japan Time"), KT("Japan Standard Time"), KT("Japan Daylight Time")}};
    data.languages = {{1033, KT("TZ_Desc_1033.ini"), KT("en-US"), names}, {2052, KT("TZ_Desc_2052.ini"), KT("zh-CN"), names}};
    data.groups = {{55, KT("Europe")}, {114, KT("Asia")}, {55, KT("Arctic Ocean")}};
    data.cities = {{55, KT("Berlin"), KT("Germany"), KT("DE")}, {114, KT("Tokyo"), KT("Japan"), KT("JP")}};
    data.defaultZone = 55;
    data.favourites = {114};
    return data;
}

// A file as the engine's read loop hands it on: fields joined by '|', lines ended by '\n'.
Text ReadBack(const TZChar *file) {
    Text text;
    for (const auto &fields : DataLines(file, 1)) {
        for (const Text &field : fields) text += field + KT("|");
        text.back() = KT('\n');
    }
    return text;
}

TEST(DataDirectory, EveryFileReadsBackThroughTheEngine) {
    DataDir dir;
    ASSERT_TRUE(WriteDataDirectory(SmallDirectory(), dir.Device()).ok);
    const std::pair<const TZChar *, Text> files[] = {
        {KT("TZ_Def.ini"), KT("55|-60|0|10|5|0|3|0|3|5|0|2|-60|0|0|55|Central European Time (Berlin)\n"
                              "114|-540|1|0|0|0|0|0|0|0|0|0|0|0|0|114|Japan Time (Tokyo)\n")},
        {KT("TZ_Desc_2052.ini"), KT("55|Central European Time (Berlin)|Central European Time|Central European Standard Time|"
                                    "Central European Summer Time\n"
                                    "114|Japan Time (Tokyo)|Japan Time|Japan Standard Time|Japan Daylight Time\n")},
        {KT("Lang_Def.ini"), KT("1033|TZ_Desc_1033.ini|en-US\n2052|TZ_Desc_2052.ini|zh-CN\n")},
        {KT("TZ_Zone.ini"), KT("55|Europe\n114|Asia\n55|Arctic Ocean\n")},
        {KT("TZ_CityZoneNum.ini"), KT("55|Berlin|Germany|DE\n114|Tokyo|Japan|JP\n")},
    };
    for (const auto &[file, text] : files) EXPECT_EQ(ReadBack(file), text);  // '$' read as spaces
    const Text note =
        KT("\r\n;Rules -- in force in 2026, from the tz database 2025b; names from CLDR 42.0 through ICU 72.1\r\n");
    EXPECT_NE(dir.ReadBytes("TZ_Def.ini").find(test::Utf16Bytes(note, false)), std::string::npos);
    // The user files are the engine's own: an empty catalogue and the favourites.
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectUserZones, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    std::uint16_t favourites[TZ_MAX_ZONES] = {};
    ASSERT_EQ(GetTZFrequency(&count, favourites, 1), TZ_OK);
    EXPECT_EQ(std::tuple(count, favourites[0]), std::tuple(1, 114));
    // Settings and device on the default zone, daylight saving on as it has a rule.
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(std::tuple(setting.TZID, setting.DLT, setting.LangID, setting.DefaultTZ), std::tuple(55, 1, 1033, 55));
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    dir.Device().GetTimeZoneInformation(&info);
    const SYSTEMTIME &dlt = info.DaylightDate, &std = info.StandardDate;
    EXPECT_EQ(std::tuple(info.Bias, info.StandardBias, info.DaylightBias, dlt.wMonth, dlt.wDay, dlt.wHour, std.wMonth,
                         std.wDay, std.wHour),
              std::tuple(-60, 0, -60, 3, 5, 2, 10, 5, 3));
    EXPECT_EQ(Text(info.StandardName) + KT("|") + Text(info.DaylightName),
              KT("Central European Standard Time|Central European Summer Time"));
    // A zone without a rule starts with daylight saving off.
    ASSERT_TRUE(WriteSettingsFile(SmallDirectory().zones[1], 1033).ok);
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(std::tuple(setting.TZID, setting.DLT), std::tuple(114, 0));
}

TEST(DataDirectory, RefusesWhatTheEngineWouldReadDifferently) {
    using D = DataDirectory;
    const D good = SmallDirectory();
    struct Case {
        const char *what, *unwritten;
        std::function<void(D &)> spoil;
    };
    const Case cases[] = {
        {"no Detail", "TZ_Def.ini", [](D &d) { d.zones[1].detail.clear(); }},
        {"Detail over 63 units", "TZ_Def.ini", [](D &d) { d.zones[1].detail = Text(64, KT('x')); }},
        {"Detail with a tab", "TZ_Def.ini", [](D &d) { d.zones[1].detail = KT("Japan\tTime"); }},
        {"zone 0", "TZ_Def.ini", [](D &d) { d.zones[1].id = 0; }},
        {"a user's zone", "TZ_Def.ini", [](D &d) { d.zones[1].id = 10000; }},
        {"a zone twice", "TZ_Def.ini", [](D &d) { d.zones[1].id = 55; }},
        {"151 zones", "TZ_Def.ini",
         [](D &d) {
             for (std::uint16_t id = 200; d.zones.size() <= TZ_MAX_SYSTEM_ZONES; ++id)
                 d.zones.push_back({.id = id, .contact = 114, .detail = KT("x")});
         }},
        {"an empty name", "TZ_Desc_2052.ini", [](D &d) { d.languages[1].descriptions[1].daylightName.clear(); }},
        {"names over 254 units together", "TZ_Desc_2052.ini",
         [](D &d) {
             const Text x(63, KT('x'));
             d.languages[1].descriptions[1] = {114, x, x, x, x};
         }},
        {"language 0", "Lang_Def.ini", [](D &d) { d.languages[1].id = 0; }},
        {"a file name with a tab", "Lang_Def.ini", [](D &d) { d.languages[1].fileName = KT("TZ_Desc\t2052.ini"); }},
        {"an empty group", "TZ_Zone.ini", [](D &d) { d.groups[1].group.clear(); }},
        // The rooms are 30, 20 and 10 units with the terminator.
        {"a city of 30 units", "TZ_CityZoneNum.ini", [](D &d) { d.cities[1].city = Text(30, KT('c')); }},
        {"a country of 20 units", "TZ_CityZoneNum.ini", [](D &d) { d.cities[1].country = Text(20, KT('c')); }},
        {"a code of 10 units", "TZ_CityZoneNum.ini", [](D &d) { d.cities[1].countryCode = Text(10, KT('c')); }},
        {"an unknown default zone", "TZ_Def.ini", [](D &d) { d.defaultZone = 7; }},
        {"the default zone unnamed", "TZ_Def.ini", [](D &d) { d.languages[0].descriptions.resize(0); }},
        {"an unknown interface language", "TZ_Def.ini", [](D &d) { d.interfaceLanguage = 1031; }},
    };
    for (const Case &c : cases) {
        D data = good;
        c.spoil(data);
        DataDir dir;
        const WriteOutcome outcome = WriteDataDirectory(data, dir.Device());
        EXPECT_FALSE(outcome.ok) << c.what;
        EXPECT_FALSE(outcome.problem.empty()) << c.what;
        EXPECT_FALSE(dir.Exists(c.unwritten)) << c.what;
    }
    // What fits exactly is written; names fitted together make one line of five fields.
    D fitting = good;
    fitting.cities[1] = {114, Text(29, KT('c')), Text(19, KT('c')), Text(9, KT('c'))};
    auto &names = fitting.languages[1].descriptions[1];
    names.listName = names.shortName = names.standardName = names.daylightName = Text(70, KT('x'));
    EXPECT_EQ(FitDescription(&names).size(), 4u);  // every cut is reported
    DataDir dir;
    ASSERT_TRUE(WriteDataDirectory(fitting, dir.Device()).ok);
    const auto lines = DataLines(KT("TZ_Desc_2052.ini"), 5);
    ASSERT_EQ(lines.size(), 2u);  // not split by the 254-unit read
    EXPECT_EQ(lines[1].size(), 5u);
    EXPECT_EQ(DataLines(KT("TZ_CityZoneNum.ini"), 4)[1][1], Text(29, KT('c')));
}

}  // namespace
}  // namespace kelvane::builder
