// The builder's writers: what they write reads back through the engine's own
// readers as it was meant, and what the engine would read differently is
// refused rather than written.
#include "files/writers.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/zone_list.h"
#include "data/data_files.h"
#include "settings/settings_file.h"

namespace kelvane::builder {
namespace {
using kelvane::test::DataDir;
using kelvane::test::DataLines;
using Rows = std::vector<kelvane::test::Fields>;

DataDirectory SmallDirectory() {
    DataDirectory data;
    data.sources = RulesNote(2026, "2025b", "CLDR 42.0 through ICU 72.1");
    data.zones.resize(2);
    data.zones[0] = {
        55, kDefaultZoneType, {-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}}, 0, 0, 55, u"Central European Time (Berlin)"};
    data.zones[1] = {114, kBasicZoneType, {-540, 0, 0, {}, {}}, 0, 0, 114, u"Japan Time (Tokyo)"};
    Language english{1033, u"TZ_Desc_1033.ini", u"en-US", {}};
    english.descriptions = {
        {55, u"Central European Time (Berlin)", u"Central European Time", u"Central European Standard Time",
         u"Central European Summer Time"},
        {114, u"Japan Time (Tokyo)", u"Japan Time", u"Japan Standard Time", u"Japan Daylight Time"}};
    data.languages = {english, english};
    data.languages[1].id = 2052;
    data.languages[1].fileName = u"TZ_Desc_2052.ini";
    data.languages[1].tag = u"zh-CN";
    data.groups = {{55, u"Europe"}, {114, u"Asia"}, {55, u"Arctic Ocean"}};
    data.cities = {{55, u"Berlin", u"Germany", u"DE"}, {114, u"Tokyo", u"Japan", u"JP"}};
    data.defaultZone = 55;
    data.favourites = {114};
    return data;
}

std::vector<std::int32_t> Numbers(const TZInfo &z) {
    return {z.TZID,      z.Offset,    z.Type,     z.StdMonth, z.StdDay,       z.StdDayOfWeek,
            z.StdHour,   z.StdOffSet, z.DltMonth, z.DltDay,   z.DltDayOfWeek, z.DltHour,
            z.DltOffset, z.X,         z.Y,        z.Contact};
}

TEST(DataDirectory, EveryFileReadsBackThroughTheEngine) {
    DataDir dir;
    ASSERT_TRUE(WriteDataDirectory(SmallDirectory(), dir.Device()).ok);
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, kSelectWholeCatalogue), Result::Ok);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Numbers(zones[0]), (std::vector<std::int32_t>{55, -60, 0, 10, 5, 0, 3, 0, 3, 5, 0, 2, -60, 0, 0, 55}));
    EXPECT_EQ(Numbers(zones[1]), (std::vector<std::int32_t>{114, -540, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 114}));
    EXPECT_EQ(DataLines(KT("TZ_Def.ini"), 17)[0][16], u"Central European Time (Berlin)");  // '$' read as spaces
    EXPECT_NE(dir.ReadBytes("TZ_Def.ini")
                  .find(test::Utf16Bytes(u"\r\n;Rules -- in force in 2026, from the tz database 2025b; names from "
                                         u"CLDR 42.0 through ICU 72.1\r\n",
                                         false)),
              std::string::npos);
    EXPECT_EQ(DataLines(KT("TZ_Desc_2052.ini"), 5),
              (Rows{{u"55", u"Central European Time (Berlin)", u"Central European Time",
                     u"Central European Standard Time", u"Central European Summer Time"},
                    {u"114", u"Japan Time (Tokyo)", u"Japan Time", u"Japan Standard Time", u"Japan Daylight Time"}}));
    EXPECT_EQ(DataLines(KT("Lang_Def.ini"), 2),
              (Rows{{u"1033", u"TZ_Desc_1033.ini", u"en-US"}, {u"2052", u"TZ_Desc_2052.ini", u"zh-CN"}}));
    EXPECT_EQ(DataLines(KT("TZ_Zone.ini"), 2), (Rows{{u"55", u"Europe"}, {u"114", u"Asia"}, {u"55", u"Arctic Ocean"}}));
    EXPECT_EQ(DataLines(KT("TZ_CityZoneNum.ini"), 4),
              (Rows{{u"55", u"Berlin", u"Germany", u"DE"}, {u"114", u"Tokyo", u"Japan", u"JP"}}));
    // The user files are the engine's own: an empty catalogue and the favourites.
    count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectUserZones, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    std::vector<std::uint16_t> favourites(TZ_MAX_ZONES, 7);
    count = 99;
    ASSERT_EQ(GetTZFrequency(&count, favourites.data(), 1), TZ_OK);
    EXPECT_EQ(std::vector(favourites.begin(), favourites.begin() + count), std::vector<std::uint16_t>{114});
    // Settings and device on the default zone, daylight saving on as it has a rule.
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(std::tuple(setting.TZID, setting.DLT, setting.LangID, setting.DefaultTZ), std::tuple(55, 1, 1033, 55));
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    dir.Device().GetTimeZoneInformation(&info);
    EXPECT_EQ(std::tuple(info.Bias, info.StandardBias, info.DaylightBias), std::tuple(-60, 0, -60));
    EXPECT_EQ(std::tuple(info.DaylightDate.wMonth, info.DaylightDate.wDay, info.DaylightDate.wHour,
                         info.StandardDate.wMonth, info.StandardDate.wDay, info.StandardDate.wHour),
              std::tuple(3, 5, 2, 10, 5, 3));
    EXPECT_EQ(Text(info.StandardName) + u"|" + Text(info.DaylightName),
              u"Central European Standard Time|Central European Summer Time");
    // A zone without a rule starts with daylight saving off.
    ASSERT_TRUE(WriteSettingsFile(SmallDirectory().zones[1], 1033).ok);
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(std::tuple(setting.TZID, setting.DLT), std::tuple(114, 0));
}

TEST(DataDirectory, RefusesWhatTheEngineWouldReadDifferently) {
    const DataDirectory good = SmallDirectory();
    struct Case {
        const char *what;
        std::function<void(DataDirectory &)> spoil;
        const char *unwritten;
    };
    const Case cases[] = {
        {"no Detail", [](DataDirectory &d) { d.zones[1].detail.clear(); }, "TZ_Def.ini"},
        {"Detail over 63 units", [](DataDirectory &d) { d.zones[1].detail = Text(64, u'x'); }, "TZ_Def.ini"},
        {"Detail with a tab", [](DataDirectory &d) { d.zones[1].detail = u"Japan\tTime"; }, "TZ_Def.ini"},
        {"zone 0", [](DataDirectory &d) { d.zones[1].id = 0; }, "TZ_Def.ini"},
        {"a user's zone", [](DataDirectory &d) { d.zones[1].id = 10000; }, "TZ_Def.ini"},
        {"a zone twice", [](DataDirectory &d) { d.zones[1].id = 55; }, "TZ_Def.ini"},
        {"151 zones",
         [](DataDirectory &d) {
             while (d.zones.size() <= TZ_MAX_SYSTEM_ZONES) {
                 d.zones.push_back(d.zones[1]);
                 d.zones.back().id = static_cast<std::uint16_t>(200 + d.zones.size());
             }
         },
         "TZ_Def.ini"},
        {"an empty name", [](DataDirectory &d) { d.languages[1].descriptions[1].daylightName.clear(); },
         "TZ_Desc_2052.ini"},
        {"names over 254 units together",
         [](DataDirectory &d) {
             auto &names = d.languages[1].descriptions[1];
             names.listName = names.shortName = names.standardName = names.daylightName = Text(63, u'x');
         },
         "TZ_Desc_2052.ini"},
        {"language 0", [](DataDirectory &d) { d.languages[1].id = 0; }, "Lang_Def.ini"},
        {"a file name with a tab", [](DataDirectory &d) { d.languages[1].fileName = u"TZ_Desc\t2052.ini"; },
         "Lang_Def.ini"},
        {"an empty group", [](DataDirectory &d) { d.groups[1].group.clear(); }, "TZ_Zone.ini"},
        // The rooms are 30, 20 and 10 units with the terminator.
        {"a city of 30 units", [](DataDirectory &d) { d.cities[1].city = Text(30, u'c'); }, "TZ_CityZoneNum.ini"},
        {"a country of 20 units", [](DataDirectory &d) { d.cities[1].country = Text(20, u'c'); }, "TZ_CityZoneNum.ini"},
        {"a code of 10 units", [](DataDirectory &d) { d.cities[1].countryCode = Text(10, u'c'); },
         "TZ_CityZoneNum.ini"},
        {"an unknown default zone", [](DataDirectory &d) { d.defaultZone = 7; }, "TZ_Def.ini"},
        {"the default zone unnamed",
         [](DataDirectory &d) { d.languages[0].descriptions.erase(d.languages[0].descriptions.begin()); },
         "TZ_Def.ini"},
        {"an unknown interface language", [](DataDirectory &d) { d.interfaceLanguage = 1031; }, "TZ_Def.ini"},
    };
    for (const Case &c : cases) {
        DataDirectory data = good;
        c.spoil(data);
        DataDir dir;
        const WriteOutcome outcome = WriteDataDirectory(data, dir.Device());
        EXPECT_FALSE(outcome.ok) << c.what;
        EXPECT_FALSE(outcome.problem.empty()) << c.what;
        EXPECT_FALSE(dir.Exists(c.unwritten)) << c.what;
    }
    // What fits exactly is written; names fitted together make one line of five fields.
    DataDirectory fitting = good;
    fitting.cities[1] = {114, Text(29, u'c'), Text(19, u'c'), Text(9, u'c')};
    auto &names = fitting.languages[1].descriptions[1];
    names.listName = names.shortName = names.standardName = names.daylightName = Text(70, u'x');
    FitDescription(&names);
    DataDir dir;
    ASSERT_TRUE(WriteDataDirectory(fitting, dir.Device()).ok);
    const auto lines = DataLines(KT("TZ_Desc_2052.ini"), 5);
    ASSERT_EQ(lines.size(), 2u);  // not split by the 254-unit read
    EXPECT_EQ(lines[1].size(), 5u);
    EXPECT_EQ(DataLines(KT("TZ_CityZoneNum.ini"), 4)[1][1], Text(29, u'c'));
}

}  // namespace
}  // namespace kelvane::builder
