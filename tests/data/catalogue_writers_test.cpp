// The builder's writers: what they write reads back through the engine's own
// readers as it was meant, and what the engine would read differently is
// refused rather than written.
#include "files/writers.h"

#include <gtest/gtest.h>

#include "catalogue/zone_list.h"
#include "data/file_lines.h"
#include "settings/settings_file.h"
#include "support/data_dir.h"

namespace kelvane::builder {
namespace {
using kelvane::test::DataDir;
using kelvane::test::DataLines;

CatalogueZone Berlin() {
    CatalogueZone z;
    z.id = 55;
    z.rule = {-60, 0, -60, {10, 5, 0, 3}, {3, 5, 0, 2}};
    z.contact = 55;
    z.type = kDefaultZoneType;
    z.detail = u"Central European Time (Berlin)";
    return z;
}

CatalogueZone Tokyo() {
    CatalogueZone z;
    z.id = 114;
    z.rule.bias = -540;
    z.contact = 114;
    z.detail = u"Japan Time (Tokyo)";
    return z;
}

void WriteEmptyUserCatalogue(const DataDir &dir) { dir.WriteLines("TZ_UserDef.ini", {u";TZID\tOffset"}); }

TEST(CatalogueFile, ReadsBackThroughTheEngine) {
    DataDir dir;
    ASSERT_TRUE(WriteCatalogueFile({Berlin(), Tokyo()}).ok);
    WriteEmptyUserCatalogue(dir);
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, kSelectWholeCatalogue), Result::Ok);
    ASSERT_EQ(count, 2);
    const TZInfo &b = zones[0];
    EXPECT_EQ(b.TZID, 55);
    EXPECT_EQ(b.Offset, -60);
    EXPECT_EQ(b.Type, 0);
    EXPECT_EQ(b.StdMonth, 10);
    EXPECT_EQ(b.StdDay, 5);
    EXPECT_EQ(b.StdDayOfWeek, 0);
    EXPECT_EQ(b.StdHour, 3);
    EXPECT_EQ(b.DltMonth, 3);
    EXPECT_EQ(b.DltDay, 5);
    EXPECT_EQ(b.DltHour, 2);
    EXPECT_EQ(b.StdOffSet, 0);
    EXPECT_EQ(b.DltOffset, -60);
    EXPECT_EQ(b.Contact, 55);
    EXPECT_EQ(zones[1].Offset, -540);
    EXPECT_EQ(zones[1].Type, 1);
    const auto lines = DataLines(KT("TZ_Def.ini"), 17);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][16], u"Central European Time (Berlin)");  // '$' read back as spaces
}

TEST(CatalogueFile, RefusesWhatTheEngineWouldReadDifferently) {
    CatalogueZone noDetail = Tokyo(), longDetail = Tokyo(), tabbed = Tokyo(), zero = Tokyo(), user = Tokyo();
    noDetail.detail.clear();
    longDetail.detail = Text(64, u'x');
    tabbed.detail = u"Japan\tTime";
    zero.id = 0;
    user.id = 10000;
    std::vector<CatalogueZone> tooMany;
    for (std::uint16_t id = 1; id <= 151; ++id) {
        tooMany.push_back(Tokyo());
        tooMany.back().id = id;
    }
    const std::vector<std::vector<CatalogueZone>> cases = {
        {noDetail}, {longDetail}, {tabbed}, {zero}, {user}, {Tokyo(), Tokyo()}, tooMany};
    for (const auto &zones : cases) {
        DataDir dir;
        const WriteOutcome outcome = WriteCatalogueFile(zones);
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(outcome.problem.empty());
        EXPECT_FALSE(dir.Exists("TZ_Def.ini"));
    }
}

Language English() {
    Language l;
    l.id = 1033;
    l.fileName = u"TZ_Desc_1033.ini";
    l.tag = u"en-US";
    l.descriptions = {{55, u"Central European Time (Berlin)", u"Central European Time",
                       u"Central European Standard Time", u"Central European Summer Time"}};
    return l;
}

TEST(DescriptionFile, ReadsBackWithSpaces) {
    DataDir dir;
    ASSERT_TRUE(WriteDescriptionFile(English()).ok);
    const auto lines = DataLines(KT("TZ_Desc_1033.ini"), 5);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (test::Fields{u"55", u"Central European Time (Berlin)", u"Central European Time",
                                      u"Central European Standard Time", u"Central European Summer Time"}));
}

TEST(DescriptionFile, RefusesEmptyNamesAndLinesOver254Units) {
    Language empty = English(), tooLong = English(), fitted = English();
    empty.descriptions[0].daylightName.clear();
    for (Text *t : {&tooLong.descriptions[0].listName, &tooLong.descriptions[0].shortName,
                    &tooLong.descriptions[0].standardName, &tooLong.descriptions[0].daylightName})
        *t = Text(63, u'x');
    for (const Language &l : {empty, tooLong}) {
        DataDir dir;
        EXPECT_FALSE(WriteDescriptionFile(l).ok);
        EXPECT_FALSE(dir.Exists("TZ_Desc_1033.ini"));
    }
    fitted.descriptions = tooLong.descriptions;
    FitDescription(&fitted.descriptions[0]);
    DataDir dir;
    ASSERT_TRUE(WriteDescriptionFile(fitted).ok);
    const auto lines = DataLines(KT("TZ_Desc_1033.ini"), 5);
    ASSERT_EQ(lines.size(), 1u);  // one line: not split by the 254-unit read
    EXPECT_EQ(lines[0].size(), 5u);
}

TEST(LanguageGroupAndCityFiles, ReadBackThroughTheEngine) {
    DataDir dir;
    Language chinese = English();
    chinese.id = 2052;
    chinese.fileName = u"TZ_Desc_2052.ini";
    chinese.tag = u"zh-CN";
    ASSERT_TRUE(WriteLanguageFile({English(), chinese}).ok);
    ASSERT_TRUE(WriteGroupFile({{55, u"Europe"}, {114, u"Asia"}, {55, u"Arctic Ocean"}}).ok);
    ASSERT_TRUE(WriteCityFile({{55, u"Berlin", u"Germany", u"DE"}, {114, u"Tokyo", u"Japan", u"JP"}}).ok);
    EXPECT_EQ(DataLines(KT("Lang_Def.ini"), 2),
              (std::vector<test::Fields>{{u"1033", u"TZ_Desc_1033.ini", u"en-US"}, {u"2052", u"TZ_Desc_2052.ini", u"zh-CN"}}));
    EXPECT_EQ(DataLines(KT("TZ_Zone.ini"), 2),
              (std::vector<test::Fields>{{u"55", u"Europe"}, {u"114", u"Asia"}, {u"55", u"Arctic Ocean"}}));
    EXPECT_EQ(DataLines(KT("TZ_CityZoneNum.ini"), 4),
              (std::vector<test::Fields>{{u"55", u"Berlin", u"Germany", u"DE"}, {u"114", u"Tokyo", u"Japan", u"JP"}}));
}

TEST(LanguageGroupAndCityFiles, RefuseWhatWouldNotFit) {
    DataDir dir;
    Language unnamed = English();
    unnamed.fileName.clear();
    Language zero = English();
    zero.id = 0;
    EXPECT_FALSE(WriteLanguageFile({unnamed}).ok);
    EXPECT_FALSE(WriteLanguageFile({zero}).ok);
    EXPECT_FALSE(WriteLanguageFile({}).ok);
    EXPECT_FALSE(WriteGroupFile({{55, u""}}).ok);
    // The rooms are 30, 20 and 10 units with the terminator.
    EXPECT_FALSE(WriteCityFile({{55, Text(30, u'c'), u"Germany", u"DE"}}).ok);
    EXPECT_FALSE(WriteCityFile({{55, u"Berlin", Text(20, u'c'), u"DE"}}).ok);
    EXPECT_FALSE(WriteCityFile({{55, u"Berlin", u"Germany", Text(10, u'c')}}).ok);
    EXPECT_FALSE(dir.Exists("Lang_Def.ini"));
    EXPECT_FALSE(dir.Exists("TZ_Zone.ini"));
    EXPECT_FALSE(dir.Exists("TZ_CityZoneNum.ini"));
    EXPECT_TRUE(WriteCityFile({{55, Text(29, u'c'), Text(19, u'c'), Text(9, u'c')}}).ok);
}

TEST(SettingsAndDevice, SetTheDefaultZoneUp) {
    DataDir dir;
    const CatalogueZone zone = Berlin();
    const ZoneDescription names = English().descriptions[0];
    ASSERT_TRUE(WriteSettingsFile(zone, 1033).ok);
    ASSERT_TRUE(WriteDeviceFile(dir.Device(), zone, names, 1033).ok);
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(setting.TZID, 55);
    EXPECT_EQ(setting.DLT, 1);  // the zone has a daylight rule
    EXPECT_EQ(setting.LangID, 1033);
    EXPECT_EQ(setting.DefaultTZ, 55);
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    dir.Device().GetTimeZoneInformation(&info);
    EXPECT_EQ(info.Bias, -60);
    EXPECT_EQ(info.DaylightBias, -60);
    EXPECT_EQ(info.DaylightDate.wMonth, 3);
    EXPECT_EQ(info.DaylightDate.wDay, 5);
    EXPECT_EQ(info.DaylightDate.wHour, 2);
    EXPECT_EQ(info.StandardDate.wMonth, 10);
    EXPECT_EQ(info.StandardDate.wHour, 3);
    EXPECT_EQ(Text(info.StandardName), u"Central European Standard Time");
    EXPECT_EQ(Text(info.DaylightName), u"Central European Summer Time");
}

TEST(UserFiles, AreWrittenByTheEnginesWritersWithTheFavourites) {
    DataDir dir;
    ASSERT_TRUE(WriteCatalogueFile({Tokyo()}).ok);
    ASSERT_TRUE(WriteUserFiles({114}).ok);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectUserZones, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectWholeCatalogue, &count), TZ_OK);
    EXPECT_EQ(count, 1);
    std::vector<std::uint16_t> favourites(TZ_MAX_ZONES, 7);
    count = 99;
    ASSERT_EQ(GetTZFrequency(&count, favourites.data(), 1), TZ_OK);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(favourites[0], 114);
    // Both files are the engine's own: the user catalogue's 38 header lines, the list's 19.
    EXPECT_EQ(test::DataLines(KT("TZ_UserDef.ini"), 1).size(), 0u);
    EXPECT_EQ(test::DataLines(KT("TZ_Frequency.ini"), 1).size(), 1u);
}

TEST(CatalogueFile, NamesItsSourcesInAComment) {
    DataDir dir;
    ASSERT_TRUE(WriteCatalogueFile({Tokyo()}, RulesNote(2026, "2025b", "CLDR 42.0 through ICU 72.1")).ok);
    const std::string bytes = dir.ReadBytes("TZ_Def.ini");
    EXPECT_NE(bytes.find(test::Utf16Bytes(u"\r\n;Rules -- in force in 2026, from the tz database 2025b; names from "
                                          u"CLDR 42.0 through ICU 72.1\r\n",
                                          false)),
              std::string::npos);
    EXPECT_EQ(test::DataLines(KT("TZ_Def.ini"), 16).size(), 1u);  // still one zone
}

DataDirectory SmallDirectory() {
    DataDirectory data;
    data.zones = {Berlin(), Tokyo()};
    data.languages = {English()};
    data.languages[0].descriptions.push_back({114, u"Japan Time (Tokyo)", u"Japan Time", u"Japan Standard Time",
                                              u"Japan Daylight Time"});
    data.groups = {{55, u"Europe"}, {114, u"Asia"}};
    data.cities = {{55, u"Berlin", u"Germany", u"DE"}};
    data.defaultZone = 114;
    return data;
}

TEST(DataDirectory, WritesEveryFile) {
    DataDir dir;
    ASSERT_TRUE(WriteDataDirectory(SmallDirectory(), dir.Device()).ok);
    for (const char *file : {"TZ_Def.ini", "TZ_Desc_1033.ini", "Lang_Def.ini", "TZ_Zone.ini", "TZ_CityZoneNum.ini",
                             "TZ_Set.ini", "TZ_UserDef.ini", "TZ_Frequency.ini", "device.ini"})
        EXPECT_TRUE(dir.Exists(file)) << file;
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(setting.TZID, 114);
    EXPECT_EQ(setting.DLT, 0);
}

TEST(DataDirectory, NeedsTheDefaultZoneAndItsNames) {
    DataDirectory unknownZone = SmallDirectory(), unnamed = SmallDirectory(), unknownLanguage = SmallDirectory();
    unknownZone.defaultZone = 7;
    unnamed.languages[0].descriptions.pop_back();
    unknownLanguage.interfaceLanguage = 2052;
    for (const DataDirectory &data : {unknownZone, unnamed, unknownLanguage}) {
        DataDir dir;
        EXPECT_FALSE(WriteDataDirectory(data, dir.Device()).ok);
        EXPECT_FALSE(dir.Exists("TZ_Def.ini"));
    }
}

}  // namespace
}  // namespace kelvane::builder
