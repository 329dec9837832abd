// The shipped data directory data/: every file within the engine's encoding
// and limits, every catalogue line accepted, every zone described in every
// language, grouped and placed, and the settings and device on a catalogue zone.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "data/shipped_data.h"
#include "settings/settings_file.h"

namespace kelvane {
namespace {
using test::Number;
using test::RawRecords;
using test::Text;

std::set<int> FirstNumbers(const std::string &file) {
    std::set<int> ids;
    for (const auto &fields : RawRecords(file)) ids.insert(Number(fields.at(0)));
    return ids;
}

TEST(ShippedData, EveryFileIsUtf16WithAByteOrderMarkWithinTheLineLimit) {
    const std::set<std::string> names = test::ShippedFileNames();
    for (const char *required : {"TZ_Def.ini", "TZ_Set.ini", "Lang_Def.ini", "TZ_Zone.ini", "TZ_CityZoneNum.ini",
                                 "device.ini", "TZ_UserDef.ini", "TZ_Frequency.ini"})
        EXPECT_TRUE(names.count(required)) << required;
    for (const std::string &name : names) {
        if (!name.ends_with(".ini") || name == "device.ini") continue;
        const std::vector<Text> lines = test::RawLines(name);
        ASSERT_FALSE(lines.empty()) << name << ": not UTF-16LE with a byte-order mark";
        EXPECT_LE(lines.size(), 512u) << name;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size() + 2, 254u) << name << ":" << i + 1;  // with CR LF: read whole
            for (TZChar c : lines[i]) EXPECT_FALSE(c < 0x20 && c != u'\t') << name << ":" << i + 1;
        }
    }
}

TEST(ShippedData, EveryCatalogueLineIsAZoneTheEngineAccepts) {
    const auto records = RawRecords("TZ_Def.ini");
    ASSERT_GE(records.size(), 100u);
    EXPECT_LE(records.size(), static_cast<std::size_t>(TZ_MAX_SYSTEM_ZONES));
    std::set<std::uint16_t> ids;
    for (const auto &fields : records) {
        ASSERT_EQ(fields.size(), 17u);
        for (int i = 0; i < 16; ++i) EXPECT_NE(Number(fields[i]), -99999) << "field " << i + 1;
        const int id = Number(fields[0]);
        EXPECT_TRUE(id >= 1 && id < 10000) << id;
        EXPECT_TRUE(ids.insert(static_cast<std::uint16_t>(id)).second) << "repeated " << id;
        EXPECT_LE(fields[16].size(), 63u);
    }
    test::ShippedDataDir dir;
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectWholeCatalogue, &count), TZ_OK);
    EXPECT_EQ(count, records.size());
    count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectUserZones, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    std::vector<std::uint16_t> asked(ids.begin(), ids.end());
    std::vector<TZInfo> zones(asked.size());
    EXPECT_EQ(GetTZInfoByID(asked.data(), static_cast<std::uint16_t>(asked.size()), zones.data()), TZ_OK);
    // In the interface language Desc1 is the catalogue's Detail.
    std::vector<TZDesc> english(asked.size());
    ASSERT_EQ(GetTZDescByID(asked.data(), static_cast<std::uint16_t>(asked.size()), english.data()), TZ_OK);
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const auto record = std::find_if(records.begin(), records.end(), [&](auto &f) { return Number(f[0]) == asked[i]; });
        Text detail = (*record)[16];
        std::replace(detail.begin(), detail.end(), u'$', u' ');
        EXPECT_EQ(Text(english[i].Desc1), detail);
    }
}

TEST(ShippedData, RulesAreInTheCatalogueConvention) {
    test::ShippedDataDir dir;
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, kSelectWholeCatalogue), Result::Ok);
    zones.resize(count);
    std::map<std::int32_t, int> defaultsPerOffset;
    for (const TZInfo &z : zones) {
        SCOPED_TRACE(z.TZID);
        EXPECT_TRUE(z.Offset >= -840 && z.Offset <= 720);  // UTC+14:00 to UTC-12:00
        EXPECT_EQ(z.StdOffSet, 0);
        const bool daylight = z.DltMonth != 0;
        EXPECT_EQ(z.StdMonth != 0, daylight);
        EXPECT_EQ(z.DltOffset != 0, daylight);
        EXPECT_LE(std::abs(z.DltOffset), 60);
        for (const auto &[month, week, weekday, hour] : {std::tuple{z.StdMonth, z.StdDay, z.StdDayOfWeek, z.StdHour},
                                                         std::tuple{z.DltMonth, z.DltDay, z.DltDayOfWeek, z.DltHour}}) {
            if (daylight)
                EXPECT_TRUE(month >= 1 && month <= 12 && week >= 1 && week <= 5 && weekday <= 6 && hour <= 23);
            else
                EXPECT_EQ(week + weekday + hour, 0);
        }
        EXPECT_LE(z.Type, 1);
        EXPECT_TRUE(z.Type != 0 || z.Contact == z.TZID);
        defaultsPerOffset[z.Offset] += z.Type == 0;
    }
    for (const TZInfo &z : zones) {
        EXPECT_EQ(defaultsPerOffset[z.Offset], 1) << "one default zone per offset";
        const auto contact = std::find_if(zones.begin(), zones.end(), [&](const TZInfo &c) { return c.TZID == z.Contact; });
        ASSERT_NE(contact, zones.end()) << z.TZID;
        EXPECT_EQ(contact->Offset, z.Offset);
        EXPECT_EQ(contact->Type, 0);
    }
}

TEST(ShippedData, EveryZoneIsDescribedInEveryLanguage) {
    const auto languages = RawRecords("Lang_Def.ini");
    const std::set<int> languageIds = FirstNumbers("Lang_Def.ini"), zones = FirstNumbers("TZ_Def.ini");
    ASSERT_GE(languages.size(), 6u);
    ASSERT_LE(languages.size(), static_cast<std::size_t>(TZ_MAX_LANGUAGES));
    EXPECT_EQ(languageIds.size(), languages.size());
    EXPECT_TRUE(languageIds.count(1033) && languageIds.count(2052));
    for (const auto &language : languages) {
        const std::string file(language.at(1).begin(), language.at(1).end());
        SCOPED_TRACE(file);
        std::set<int> described;
        for (const auto &fields : RawRecords(file)) {
            ASSERT_EQ(fields.size(), 5u);
            EXPECT_TRUE(described.insert(Number(fields[0])).second);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_LE(fields[i].size(), 63u);
                EXPECT_FALSE(fields[i].back() >= 0xD800 && fields[i].back() <= 0xDBFF);  // never half a pair
            }
        }
        EXPECT_EQ(described, zones);
    }
    // And through the engine, every zone in every language.
    test::ShippedDataDir dir;
    for (int id : zones) {
        std::vector<std::uint16_t> languageIdsRead(TZ_MAX_LANGUAGES);
        std::vector<TZDesc> descs(TZ_MAX_LANGUAGES);
        std::uint16_t count = 0;
        ASSERT_EQ(GetTZAllLanguageDescByID(static_cast<std::uint16_t>(id), &count, languageIdsRead.data(), descs.data()),
                  TZ_OK);
        ASSERT_EQ(count, languages.size()) << id;
        for (std::uint16_t k = 0; k < count; ++k) EXPECT_TRUE(descs[k].TZID == id && descs[k].Desc1[0] != 0) << id;
    }
}

TEST(ShippedData, GroupsCitiesAndFavouritesNameCatalogueZones) {
    const std::set<int> zones = FirstNumbers("TZ_Def.ini");
    std::set<Text> groups;
    for (const auto &fields : RawRecords("TZ_Zone.ini")) {
        ASSERT_EQ(fields.size(), 2u);
        groups.insert(fields[1]);
    }
    EXPECT_EQ(FirstNumbers("TZ_Zone.ini"), zones);
    for (const Text group : {u"Africa", u"America", u"Asia", u"Atlantic", u"Australia", u"Europe", u"Indian", u"Pacific"})
        EXPECT_TRUE(groups.count(group));
    const auto cities = RawRecords("TZ_CityZoneNum.ini");
    ASSERT_GE(cities.size(), 300u);
    for (const auto &fields : cities) {
        ASSERT_EQ(fields.size(), 4u);
        // The rooms are 30, 20 and 10 units, the terminator included.
        EXPECT_TRUE(fields[1].size() <= 29 && fields[2].size() <= 19 && fields[3].size() <= 9) << fields[1].size();
    }
    for (const std::string file : {"TZ_CityZoneNum.ini", "TZ_Frequency.ini"})
        for (int id : FirstNumbers(file)) EXPECT_TRUE(zones.count(id)) << file << ": " << id;
}

TEST(ShippedData, SettingsAndDeviceStartOnACatalogueZone) {
    test::ShippedDataDir dir;
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    const std::set<int> zones = FirstNumbers("TZ_Def.ini");
    EXPECT_TRUE(zones.count(setting.TZID) && zones.count(setting.DefaultTZ));
    EXPECT_EQ(setting.LangID, 1033);
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    EXPECT_EQ(dir.Device().GetTimeZoneInformation(&info), 1u);
    TZInfo zone{};
    ASSERT_EQ(GetTZInfoByID(&setting.TZID, 1, &zone), TZ_OK);
    EXPECT_EQ(info.Bias, zone.Offset);
}

}  // namespace
}  // namespace kelvane
