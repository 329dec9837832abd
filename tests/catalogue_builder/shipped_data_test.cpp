// The shipped data directory data/: within the engine's limits (the data
// checker's and the builder's own), complete, and read by the engine as meant.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "check/data_check.h"
#include "catalogue_builder/data_files.h"
#include "platform/utf.h"
#include "record/data_writer.h"
#include "settings/settings_file.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataLines;
using test::Number;
using test::Text;

std::set<int> FirstNumbers(const TZChar *file, std::uint16_t minFields) {
    std::set<int> numbers;
    for (const auto &fields : DataLines(file, minFields)) numbers.insert(Number(fields[0]));
    return numbers;
}

// Encoding, line and field lengths, numbers in range, identifiers known and
// unique, zone and language counts, every zone described, the cities' rooms.
TEST(ShippedData, PassesTheDataCheckerWithoutAWarning) {
    const tool::Problems problems = tool::CheckDataDirectory(test::kShippedData);
    for (const tool::Problem &p : problems.List()) ADD_FAILURE() << Format(p);
}

// Every UTF-16 file holds at most 512 lines, without controls or half
// characters; its lines rewritten by the engine's writer come out byte for
// byte as shipped: the files are UTF-16LE whatever the host's byte order
// (run on a big-endian host too).
TEST(ShippedData, EveryFileIsSoundAndRewritesByteForByte) {
    test::ShippedDataDir dir;
    for (const auto &entry : std::filesystem::directory_iterator(test::kShippedData)) {
        const std::string name = entry.path().filename().string();
        // device.ini and clock.ini are UTF-8 files of the platform, not data files.
        if (!name.ends_with(".ini") || name == "device.ini" || name == "clock.ini") continue;
        const std::vector<Text> rawLines = test::FileLines(dir, name);
        ASSERT_FALSE(rawLines.empty()) << name << ": not UTF-16LE with a byte-order mark";
        EXPECT_LE(rawLines.size(), 512u) << name;
        for (std::size_t i = 0; i < rawLines.size(); ++i) {
            const Text l = rawLines[i].substr(0, rawLines[i].find(KT("\r\n")));
            for (std::size_t k = 0; k < l.size(); ++k) {
                const bool pair = (l[k] & 0xFC00) == 0xD800 && k + 1 < l.size() && (l[k + 1] & 0xFC00) == 0xDC00;
                const bool unit = (l[k] & 0xF800) != 0xD800 && (l[k] >= 0x20 || l[k] == KT('\t'));
                EXPECT_TRUE(unit || pair) << name << ":" << i + 1 << ":" << k;
                k += pair;
            }
        }
        const Text fileName(name.begin(), name.end());
        std::vector<const TZChar *> lines;
        for (const Text &line : rawLines) lines.push_back(line.c_str());
        const std::string original = dir.ReadBytes(name);
        dir.Remove(name);
        ASSERT_EQ(WriteDataFile(test::HeldLock(), fileName.c_str(), static_cast<std::uint16_t>(lines.size()), lines.data()),
                  Result::Ok) << name;
        EXPECT_EQ(dir.ReadBytes(name), original) << name;
    }
}

TEST(ShippedData, IsCompleteAndReadWholeByTheEngine) {
    test::ShippedDataDir dir;
    // Windows locks the data directory through this file; a data set without
    // it would make the first writer create it.
    EXPECT_EQ(std::filesystem::file_size(test::kShippedData / "Kelvane.lock"), 0u);
    const auto zones = DataLines(KT("TZ_Def.ini"), 17);
    std::set<Text> groups;
    for (const auto &fields : DataLines(KT("TZ_Zone.ini"), 2)) groups.insert(fields[1]);
    for (const Text group :
         {KT("Africa"), KT("America"), KT("Asia"), KT("Atlantic"), KT("Australia"), KT("Europe"), KT("Indian"), KT("Pacific")})
        EXPECT_TRUE(groups.count(group));
    EXPECT_EQ(FirstNumbers(KT("TZ_Zone.ini"), 2).size(), zones.size());  // every zone in a group
    EXPECT_GE(DataLines(KT("TZ_CityZoneNum.ini"), 4).size(), 300u);
    const std::set<int> languages = FirstNumbers(KT("Lang_Def.ini"), 2);
    EXPECT_EQ(languages.size(), TZ_MAX_LANGUAGES - 2u);  // two places left for a device maker's own
    EXPECT_TRUE(languages.count(1033) && languages.count(2052) && languages.count(1025) && languages.count(2070));
    std::vector<std::uint16_t> ids;
    for (const auto &zone : zones) ids.push_back(static_cast<std::uint16_t>(Number(zone[0])));
    std::vector<TZDesc> english(ids.size());
    ASSERT_EQ(GetTZDescByID(ids.data(), static_cast<std::uint16_t>(ids.size()), english.data()), TZ_OK);
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(Text(english[i].Desc1), zones[i][16]);  // in the interface language, the Detail
    // Settings and device start on a catalogue zone, in English.
    TZSetting setting{};
    ASSERT_EQ(ReadTZSetting(&setting), Result::Ok);
    EXPECT_EQ(setting.LangID, 1033);
    EXPECT_EQ(dir.Device().GetUserDefaultUILanguage(), 1033);
    TimeZoneInformation info{};
    EXPECT_EQ(dir.Device().GetTimeZoneInformation(&info), 1u);
    TZInfo zone{};
    ASSERT_EQ(GetTZInfoByID(&setting.TZID, 1, &zone), TZ_OK);
    EXPECT_EQ(info.Bias, zone.Offset);
}

// A lower case for the scripts whose names could repeat a city: Latin,
// Greek, Cyrillic (enough to find "О-в Пасхи (о-в Пасхи)").
Text Lowered(const Text &text) {
    Text lower = text;
    for (TZChar &c : lower) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9) ||
            (c >= 0x410 && c <= 0x42F))
            c = static_cast<TZChar>(c + 32);
        else if (c >= 0x400 && c <= 0x40F)
            c = static_cast<TZChar>(c + 80);
    }
    return lower;
}

// No list name repeats its city ("Easter Island (Easter Island)"), no name is
// made up from an offset ("Nuuk Time (GMT-01:00)").
TEST(ShippedData, NamesNeitherRepeatTheCityNorAreMadeUp) {
    test::ShippedDataDir dir;
    for (const auto &language : DataLines(KT("Lang_Def.ini"), 2)) {
        for (const auto &zone : DataLines(language[1].c_str(), 5)) {
            SCOPED_TRACE(ToUtf8(language[0] + KT(" ") + zone[0]));
            for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(zone[i].find(KT("(GMT")), Text::npos);
            const Text list = Lowered(zone[1]);
            for (const auto &[open, close] : {std::pair{KT(" ("), KT(")")}, std::pair{KT("（"), KT("）")}}) {
                const auto at = list.rfind(open);
                if (at == Text::npos || !list.ends_with(close)) continue;
                const Text city = list.substr(at + Text(open).size(), list.size() - at - Text(open).size() - Text(close).size());
                EXPECT_EQ(list.substr(0, at).find(city), Text::npos) << "the city repeated";
            }
        }
    }
}

// The whole catalogue listed; every zone has its place, in hundredths of a
// degree as dataset.txt says, and every city its line in places.txt.
TEST(ShippedData, RulesAndPlacesAreInTheCatalogueConvention) {
    test::ShippedDataDir dir;
    std::vector<TZInfo> zones(TZ_MAX_ZONES);
    std::uint16_t count = TZ_MAX_ZONES;
    ASSERT_EQ(LoadTZList(zones.data(), &count, kSelectWholeCatalogue), Result::Ok);
    EXPECT_EQ(count, DataLines(KT("TZ_Def.ini"), 17).size());
    zones.resize(count);
    std::map<std::int32_t, int> defaultsPerOffset;
    std::set<std::pair<int, int>> places;
    for (const TZInfo &z : zones) {
        SCOPED_TRACE(z.TZID);
        EXPECT_TRUE(z.X >= -18000 && z.X <= 18000 && z.Y >= -9000 && z.Y <= 9000);
        places.emplace(z.X, z.Y);
        EXPECT_TRUE(z.Offset >= -840 && z.Offset <= 720);  // UTC+14:00 to UTC-12:00
        EXPECT_EQ(z.StdOffSet, 0);
        EXPECT_LE(std::abs(z.DltOffset), 60);
        EXPECT_EQ(z.DltOffset != 0, z.DltMonth != 0);
        const int changeovers = z.StdDay + z.StdDayOfWeek + z.StdHour + z.DltDay + z.DltDayOfWeek + z.DltHour;
        EXPECT_TRUE(z.DltMonth != 0 || changeovers == 0);
        EXPECT_TRUE(z.Type != 0 || z.Contact == z.TZID);
        defaultsPerOffset[z.Offset] += z.Type == 0;
    }
    EXPECT_GE(places.size(), zones.size() - 10);  // a few zones share a place
    EXPECT_NE(dir.ReadBytes("dataset.txt").find("\ncoordinates = degrees/100\n"), std::string::npos);
    std::ifstream placesFile(test::kShippedData / "places.txt");
    std::size_t cities = 0;
    for (std::string line; std::getline(placesFile, line);) cities += !line.empty() && line[0] != '#';
    EXPECT_EQ(cities, DataLines(KT("TZ_CityZoneNum.ini"), 4).size());
    for (const TZInfo &z : zones) {
        EXPECT_EQ(defaultsPerOffset[z.Offset], 1) << "one default zone per offset";
        const auto contact = std::find_if(zones.begin(), zones.end(), [&](auto &c) { return c.TZID == z.Contact; });
        ASSERT_NE(contact, zones.end()) << z.TZID;
        EXPECT_EQ(std::tuple(contact->Offset, contact->Type), std::tuple(z.Offset, 0)) << z.TZID;
    }
}

}  // namespace
}  // namespace kelvane
