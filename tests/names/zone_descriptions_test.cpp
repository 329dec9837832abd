#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "names/rooms.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane::test {
namespace {
using Ids = std::vector<uint16_t>;

// The record in one text, "-" for a record left as passed.
Text Record(const TZDesc &d) {
    const TZDesc marked = Marked<TZDesc>();
    if (std::memcmp(&d, &marked, sizeof d) == 0) return KT("-");
    return Widen(std::to_string(d.TZID)) + KT("|") + d.Desc1 + KT("|") + d.Desc2 + KT("|") + d.Desc3 + KT("|") + d.Desc4;
}

void WriteNames(const DataDir &dir) {
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .type = 3, .detail = "My$zone"}),
                                      ZoneText({.id = 10001, .type = 3}),  // 16 fields: passed over
                                      ZoneText({.id = 33, .type = 3, .detail = "User$text"})});
    dir.WriteLines("Lang_Def.ini", {KT("1033 En.ini"), KT("2052 Zh.ini")});
    dir.WriteLines("En.ini", {KT(";TZID Desc1 Desc2 Desc3 Desc4"), KT("33 Beijing Beijing$(old) China$Standard China$Daylight"),
                              KT("12 NY$old NY-old ES ED"), KT("12 New$York NY EST EDT"), KT("10001 U1 U2 U3"),
                              KT("10001 only four fields")});
    dir.WriteLines("Zh.ini", {KT("33 北京 北京旧 中国标准时间 中国夏令时"), KT("33 second a b c"), KT("12 纽约 纽约旧 东部标准 东部夏令")});
}

TEST(GetTZDescByID, FillsFromTheUserFileAndTheLanguageFile) {
    DataDir dir;
    WriteNames(dir);
    const uint16_t ids[] = {10000, 33, 12, 10001, 99, 33};
    std::vector<TZDesc> descs(6, Marked<TZDesc>());
    ASSERT_EQ(GetTZDescByID(ids, 6, descs.data()), TZ_OK) << "unknown identifiers are no failure";
    std::vector<Text> records;
    for (const TZDesc &d : descs) records.push_back(Record(d));
    EXPECT_EQ(records, (std::vector<Text>{
                           KT("10000|My zone|My zone|My zone|My zone"),
                           KT("33|Beijing|Beijing (old)|China Standard|China Daylight"),  // the description file wins
                           KT("12|New York|NY|EST|EDT"),                                 // a later line wins
                           KT("-"),  // a 16-field user line and a 4-field description line are passed over
                           KT("-"),  // neither file holds the zone
                           KT("-"),  // a repeated identifier fills its first slot only
                       }));
}

TEST(GetTZDescByID, FollowsTheInterfaceLanguageAndReportsEachFailure) {
    struct Case { const char *name; std::string device; const char *removed; uint32_t result; Text user, system; };
    const Text mine = KT("10000|My zone|My zone|My zone|My zone");
    const Case cases[] = {
        {"the interface language", "ui_language = 2052\n", nullptr, TZ_OK, mine, KT("12|纽约|纽约旧|东部标准|东部夏令")},
        {"user file missing", "", "TZ_UserDef.ini", TZ_ERR_FILE, KT("-"), KT("-")},
        {"language file missing", "", "En.ini", TZ_ERR_FILE, mine, KT("-")},
        {"language not listed", "ui_language = 1041\n", nullptr, TZ_ERR_NOT_FOUND, mine, KT("-")},
        {"no interface language", "ui_language = 0\n", nullptr, TZ_ERR_NO_LANGUAGE, mine, KT("-")},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteNames(dir);
        dir.WriteDevice(c.device);
        if (c.removed != nullptr) dir.Remove(c.removed);
        const uint16_t ids[] = {10000, 12};
        TZDesc descs[2] = {Marked<TZDesc>(), Marked<TZDesc>()};
        EXPECT_EQ(GetTZDescByID(ids, 2, descs), c.result) << c.name;
        EXPECT_EQ(Record(descs[0]), c.user) << c.name;
        EXPECT_EQ(Record(descs[1]), c.system) << c.name;
    }
}

struct AllLanguages {
    uint16_t count = 0;
    std::vector<uint16_t> ids = std::vector<uint16_t>(TZ_MAX_LANGUAGES + 1, 0xEEEE);
    std::vector<TZDesc> descs = std::vector<TZDesc>(TZ_MAX_LANGUAGES + 1, Marked<TZDesc>());
    uint32_t Of(uint16_t zone) { return GetTZAllLanguageDescByID(zone, &count, ids.data(), descs.data()); }
};

TEST(GetTZAllLanguageDescByID, DescribesAZoneInEveryListedLanguage) {
    DataDir dir;
    WriteNames(dir);
    AllLanguages system, unknown, user;
    ASSERT_EQ(system.Of(12), TZ_OK);
    ASSERT_EQ(system.count, 2);
    EXPECT_EQ(Ids(system.ids.begin(), system.ids.begin() + 3), (Ids{1033, 2052, 0xEEEE}));
    EXPECT_EQ(Record(system.descs[0]), KT("12|NY old|NY-old|ES|ED")) << "the first matching line wins";
    EXPECT_EQ(Record(system.descs[1]), KT("12|纽约|纽约旧|东部标准|东部夏令"));
    ASSERT_EQ(unknown.Of(99), TZ_OK);
    EXPECT_EQ(unknown.count, 2);
    EXPECT_EQ(Record(unknown.descs[0]) + Record(unknown.descs[1]), KT("--")) << "no file holds zone 99";
    // A user zone has one text, under language 0; the table is not needed.
    dir.Remove("Lang_Def.ini");
    ASSERT_EQ(user.Of(33), TZ_OK);
    EXPECT_EQ(user.count, 1);
    EXPECT_EQ(user.ids[0], 0);
    EXPECT_EQ(Record(user.descs[0]) + Record(user.descs[1]), KT("33|User text|User text|User text|User text-"));
}

TEST(GetTZAllLanguageDescByID, KeepsWhatWasReadBeforeAFailure) {
    DataDir dir;
    WriteNames(dir);
    dir.Remove("Zh.ini");
    AllLanguages all;
    EXPECT_EQ(all.Of(12), TZ_ERR_FILE);
    EXPECT_EQ(all.count, 2);
    EXPECT_EQ(Record(all.descs[0]) + Record(all.descs[1]), KT("12|NY old|NY-old|ES|ED-"));
    // A table entry that reads as language 0 resolves the interface language.
    dir.WriteLines("Lang_Def.ini", {KT("x Zh.ini")});
    dir.WriteDevice("ui_language = 0\n");
    EXPECT_EQ(all.Of(12), TZ_ERR_NO_LANGUAGE);
    dir.Remove("Lang_Def.ini");
    EXPECT_EQ(all.Of(12), TZ_ERR_FILE);
    EXPECT_EQ(all.count, 0);
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(all.Of(10000), TZ_ERR_FILE);
}

}  // namespace
}  // namespace kelvane::test
