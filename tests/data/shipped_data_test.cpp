// The shipped data directory data/: every file in the engine's encoding and
// limits, every catalogue line accepted, every zone described in every
// language, grouped and placed, and the settings and device pointing at
// zones that exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "data/file_lines.h"
#include "data/shipped_data.h"
#include "platform/device_config.h"
#include "settings/settings_file.h"

namespace kelvane {
namespace {
using test::Number;
using test::RawLines;
using test::RawRecords;
using test::ShippedDataDir;
using test::Text;

std::set<int> CatalogueIds() {
    std::set<int> ids;
    for (const auto &fields : RawRecords("TZ_Def.ini")) ids.insert(Number(fields[0]));
    return ids;
}

std::vector<std::pair<int, std::string>> Languages() {
    std::vector<std::pair<int, std::string>> languages;
    for (const auto &fields : RawRecords("Lang_Def.ini")) {
        std::string file;
        for (TZChar c : fields.at(1)) file += static_cast<char>(c);
        languages.emplace_back(Number(fields[0]), file);
    }
    return languages;
}

TEST(ShippedData, EveryFileIsUtf16WithAByteOrderMarkWithinTheLineLimit) {
    const std::set<std::string> names = test::ShippedFileNames();
    for (const char *required : {"TZ_Def.ini", "TZ_Set.ini", "Lang_Def.ini", "TZ_Zone.ini", "TZ_CityZoneNum.ini",
                                 "device.ini", "TZ_UserDef.ini", "TZ_Frequency.ini"})
        EXPECT_TRUE(names.count(required)) << required;
    for (const std::string &name : names) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".ini" || name == "device.ini") continue;
        const std::vector<Text> lines = RawLines(name);
        ASSERT_FALSE(lines.empty()) << name << ": not UTF-16LE with a byte-order mark";
        EXPECT_LE(lines.size(), 512u) << name;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // 254 units with the CR LF: the engine reads no longer line whole.
            EXPECT_LE(lines[i].size() + 2, 254u) << name << ":" << i + 1;
            for (TZChar c : lines[i]) EXPECT_FALSE(c < 0x20 && c != u'\t') << name << ":" << i + 1;
        }
    }
}

TEST(ShippedData, EveryCatalogueLineIsAZoneTheEngineAccepts) {
    const auto records = RawRecords("TZ_Def.ini");
    ASSERT_GE(records.size(), 100u);
    EXPECT_LE(records.size(), static_cast<std::size_t>(TZ_MAX_SYSTEM_ZONES));
    std::set<int> ids;
    for (const auto &fields : records) {
        ASSERT_EQ(fields.size(), 17u);
        for (int i = 0; i < 16; ++i) EXPECT_NE(Number(fields[i]), -99999) << "field " << i + 1;
        const int id = Number(fields[0]);
        EXPECT_TRUE(id >= 1 && id < 10000) << id;
        EXPECT_TRUE(ids.insert(id).second) << "repeated " << id;
        EXPECT_LE(fields[16].size(), 63u);
    }
    ShippedDataDir dir;
    EXPECT_EQ(test::DataLines(KT("TZ_Def.ini"), 17).size(), records.size());
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectWholeCatalogue, &count), TZ_OK);
    EXPECT_EQ(count, records.size());
    count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZCount(kSelectUserZones, &count), TZ_OK);
    EXPECT_EQ(count, 0);
    std::vector<std::uint16_t> asked(ids.begin(), ids.end());
    std::vector<TZInfo> zones(asked.size());
    EXPECT_EQ(GetTZInfoByID(asked.data(), static_cast<std::uint16_t>(asked.size()), zones.data()), TZ_OK);
}

TEST(ShippedData, RulesAreInTheCatalogueConvention) {
    ShippedDataDir dir;
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, kSelectWholeCatalogue), Result::Ok);
    std::map<std::int32_t, int> defaultsPerOffset;
    for (std::uint16_t i = 0; i < count; ++i) {
        const TZInfo &z = zones[i];
        SCOPED_TRACE(z.TZID);
        EXPECT_TRUE(z.Offset >= -840 && z.Offset <= 720);  // UTC+14:00 to UTC-12:00
        EXPECT_EQ(z.StdOffSet, 0);
        const bool daylight = z.DltMonth != 0;
        EXPECT_EQ(z.StdMonth != 0, daylight);
        EXPECT_EQ(z.DltOffset != 0, daylight);
        EXPECT_TRUE(std::abs(z.DltOffset) <= 60);
        for (const auto &[month, week, weekday, hour] :
             {std::tuple{z.StdMonth, z.StdDay, z.StdDayOfWeek, z.StdHour},
              std::tuple{z.DltMonth, z.DltDay, z.DltDayOfWeek, z.DltHour}}) {
            if (!daylight) {
                EXPECT_EQ(week + weekday + hour, 0);
                continue;
            }
            EXPECT_TRUE(month >= 1 && month <= 12);
            EXPECT_TRUE(week >= 1 && week <= 5);
            EXPECT_LE(weekday, 6);
            EXPECT_LE(hour, 23);
        }
        EXPECT_TRUE(z.Type == 0 || z.Type == 1);
        if (z.Type == 0) {
            EXPECT_EQ(z.Contact, z.TZID);
            ++defaultsPerOffset[z.Offset];
        }
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        EXPECT_EQ(defaultsPerOffset[zones[i].Offset], 1) << "one default zone per offset";
        const auto contact = std::find_if(zones.begin(), zones.begin() + count,
                                          [&](const TZInfo &z) { return z.TZID == zones[i].Contact; });
        ASSERT_NE(contact, zones.begin() + count) << zones[i].TZID;
        EXPECT_EQ(contact->Offset, zones[i].Offset);
        EXPECT_EQ(contact->Type, 0);
    }
}

TEST(ShippedData, EveryZoneIsDescribedInEveryLanguage) {
    const auto languages = Languages();
    ASSERT_GE(languages.size(), 6u);
    ASSERT_LE(languages.size(), static_cast<std::size_t>(TZ_MAX_LANGUAGES));
    std::set<int> ids;
    for (const auto &[id, file] : languages) ids.insert(id);
    EXPECT_TRUE(ids.count(1033));
    EXPECT_TRUE(ids.count(2052));
    EXPECT_EQ(ids.size(), languages.size());
    const std::set<int> zones = CatalogueIds();
    for (const auto &[language, file] : languages) {
        SCOPED_TRACE(file);
        std::set<int> described;
        for (const auto &fields : RawRecords(file)) {
            ASSERT_EQ(fields.size(), 5u);
            EXPECT_TRUE(described.insert(Number(fields[0])).second);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_LE(fields[i].size(), 63u);
                // Never cut inside a surrogate pair.
                EXPECT_FALSE(fields[i].back() >= 0xD800 && fields[i].back() <= 0xDBFF);
            }
        }
        EXPECT_EQ(described, zones);
    }
}

TEST(ShippedData, GroupsAndCitiesNameCatalogueZones) {
    const std::set<int> zones = CatalogueIds();
    std::set<int> grouped;
    std::set<Text> groups;
    for (const auto &fields : RawRecords("TZ_Zone.ini")) {
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_TRUE(zones.count(Number(fields[0]))) << Number(fields[0]);
        grouped.insert(Number(fields[0]));
        groups.insert(fields[1]);
    }
    EXPECT_EQ(grouped, zones);
    for (const Text group : {u"Africa", u"America", u"Asia", u"Atlantic", u"Australia", u"Europe", u"Indian",
                             u"Pacific"})
        EXPECT_TRUE(groups.count(group));
    const auto cities = RawRecords("TZ_CityZoneNum.ini");
    ASSERT_GE(cities.size(), 300u);
    for (const auto &fields : cities) {
        ASSERT_EQ(fields.size(), 4u);
        EXPECT_TRUE(zones.count(Number(fields[0]))) << Number(fields[0]);
        // The rooms are 30, 20 and 10 units, the terminator included.
        EXPECT_LE(fields[1].size(), 29u);
        EXPECT_LE(fields[2].size(), 19u);
        EXPECT_LE(fields[3].size(), 9u);
    }
}

TEST(ShippedData, SettingsAndDeviceStartOnACatalogueZone) {
    ShippedDataDir dir;
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    const std::set<int> zones = CatalogueIds();
    EXPECT_TRUE(zones.count(setting.TZID));
    EXPECT_TRUE(zones.count(setting.DefaultTZ));
    EXPECT_EQ(setting.LangID, 1033);
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    EXPECT_EQ(dir.Device().GetTimeZoneInformation(&info), 1u);
    std::vector<TZInfo> zone(1);
    ASSERT_EQ(GetTZInfoByID(&setting.TZID, 1, zone.data()), TZ_OK);
    EXPECT_EQ(info.Bias, zone[0].Offset);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

TEST(ShippedData, TheEnginesLookupsAndListsAnswerFromIt) {
    ShippedDataDir dir;
    const auto records = RawRecords("TZ_Def.ini");
    const std::size_t languages = Languages().size();
    std::vector<std::uint16_t> ids;
    for (const auto &fields : records) ids.push_back(static_cast<std::uint16_t>(Number(fields[0])));

    // Every zone described in every language through the engine.
    for (std::uint16_t id : ids) {
        std::vector<std::uint16_t> languageIds(TZ_MAX_LANGUAGES);
        std::vector<TZDesc> descs(TZ_MAX_LANGUAGES);
        std::uint16_t languageCount = 0;
        ASSERT_EQ(GetTZAllLanguageDescByID(id, &languageCount, languageIds.data(), descs.data()), TZ_OK) << id;
        ASSERT_EQ(languageCount, languages);
        for (std::uint16_t k = 0; k < languageCount; ++k) {
            EXPECT_EQ(descs[k].TZID, id) << "language " << languageIds[k];
            EXPECT_NE(descs[k].Desc1[0], 0) << "language " << languageIds[k];
        }
    }

    // In the interface language, Desc1 is the catalogue's Detail, and the
    // name search finds each zone by it.
    std::vector<TZDesc> english(ids.size());
    ASSERT_EQ(GetTZDescByID(ids.data(), static_cast<std::uint16_t>(ids.size()), english.data()), TZ_OK);
    std::vector<std::uint16_t> found(TZ_MAX_SYSTEM_ZONES);
    std::vector<std::vector<TZChar>> names(TZ_MAX_SYSTEM_ZONES, std::vector<TZChar>(30));
    std::vector<TZChar *> namePointers;
    for (auto &n : names) namePointers.push_back(n.data());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        Text detail = records[i][16];
        std::replace(detail.begin(), detail.end(), u'$', u' ');
        EXPECT_EQ(Text(english[i].Desc1), detail);
        std::uint16_t count = 0;
        ASSERT_EQ(SearchTZbyName(detail.c_str(), &count, found.data(), namePointers.data()), TZ_OK);
        EXPECT_NE(std::find(found.begin(), found.begin() + count, ids[i]), found.begin() + count) << ids[i];
    }

    // The whole catalogue, and one zone per offset in the compatibility list.
    std::vector<std::vector<TZChar>> entries(TZ_MAX_ZONES, std::vector<TZChar>(76));
    std::vector<TZChar *> entryPointers;
    for (auto &e : entries) entryPointers.push_back(e.data());
    std::vector<std::uint16_t> listed(TZ_MAX_ZONES);
    std::uint32_t listCount = 0;
    ASSERT_EQ(GetAllTZInfo(&listCount, listed.data(), entryPointers.data(), kSelectWholeCatalogue), TZ_OK);
    EXPECT_EQ(listCount, ids.size());
    std::set<int> offsets;
    for (const auto &fields : records) offsets.insert(Number(fields[1]));
    ASSERT_EQ(GetAllTZInfo(&listCount, listed.data(), entryPointers.data(), kSelectCompatibility), TZ_OK);
    EXPECT_EQ(listCount, offsets.size());

    // A group, and the cities of a zone.
    std::vector<std::vector<TZChar>> labels(TZ_MAX_ZONES, std::vector<TZChar>(16));
    std::vector<TZChar *> labelPointers;
    for (auto &l : labels) labelPointers.push_back(l.data());
    std::uint16_t groupCount = 0;
    ASSERT_EQ(GetSelectTZInfo(&groupCount, u"Europe", listed.data(), entryPointers.data(), labelPointers.data(),
                              kSelectWholeCatalogue),
              TZ_OK);
    EXPECT_GE(groupCount, 10);
    const auto cities = RawRecords("TZ_CityZoneNum.ini");
    std::vector<std::vector<TZChar>> city(8, std::vector<TZChar>(30)), country(8, std::vector<TZChar>(20)),
        code(8, std::vector<TZChar>(10));
    std::vector<TZChar *> cityPointers, countryPointers, codePointers;
    for (int i = 0; i < 8; ++i) {
        cityPointers.push_back(city[i].data());
        countryPointers.push_back(country[i].data());
        codePointers.push_back(code[i].data());
    }
    std::uint16_t cityCount = 8;
    const auto zone = static_cast<std::uint16_t>(Number(cities[0][0]));
    ASSERT_EQ(GetSelectTZOffsetInfo(zone, &cityCount, cityPointers.data(), codePointers.data(), countryPointers.data()),
              TZ_OK);
    ASSERT_GE(cityCount, 1);
    Text first = cities[0][1];
    std::replace(first.begin(), first.end(), u'$', u' ');
    EXPECT_EQ(Text(city[0].data()), first);
}

}  // namespace
}  // namespace kelvane
