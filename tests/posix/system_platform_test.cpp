// The Linux system platform over its seams: the zone file named by
// KELVANE_ZONE_FILE (a file of the test's own), the locale variables and a
// throw-away data directory. Zone files are judged against the C library,
// which reads the same files: the tz database's own (written by zic) and
// those the platform writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "Kelvane.h"
#include "catalogue_builder/data_files.h"
#include "dst/clock_registry.h"
#include "platform/locale_language.h"
#include "platform/posix_system_platform.h"
#include "platform/zone_file_reader.h"
#include "platform/zone_file_writer.h"
#include "support/data_dir.h"
#include "support/glibc_zone.h"

namespace kelvane {
namespace {
namespace fs = std::filesystem;
using test::ScopedVariable;
using test::StartOfYear;

// The answer and the bias in force, as the C library sees the file at t.
void ExpectAgreesWithGlibc(const std::string &bytes, const test::GlibcZone &glibc, std::int64_t t,
                           const std::string &what) {
    TimeZoneInformation info{};
    const std::uint32_t state = DescribeZoneFile(bytes, t, &info);
    const auto local = glibc.At(t);
    ASSERT_EQ(state, local.daylight ? kTimeZoneIdDaylight : kTimeZoneIdStandard) << what << " at " << t;
    const std::int32_t bias = info.Bias + (state == kTimeZoneIdDaylight ? info.DaylightBias : info.StandardBias);
    ASSERT_EQ(bias * -60, local.utcOffset) << what << " at " << t;
}

// Zones whose rules the record can only approximate (Jerusalem "/26", Nuuk
// "/-1", Cairo "/24", Dublin's negative daylight saving, Lord Howe's half
// hour), both hemispheres, none: every fifth day to 2045 (beyond the files'
// listed transitions, where the footer governs) and each side of each change.
TEST(SystemZoneFile, ReadsTheTzDatabaseAsTheCLibraryDoes) {
    const char *const zones[] = {"Europe/Berlin",  "Asia/Jerusalem",  "America/Nuuk",     "Africa/Cairo",
                                 "Europe/Dublin",  "Australia/Sydney", "Australia/Lord_Howe", "America/Santiago",
                                 "Pacific/Chatham", "Asia/Kolkata",    "UTC"};
    for (const char *zone : zones) {
        const fs::path path = fs::path("/usr/share/zoneinfo") / zone;
        if (!fs::exists(path)) continue;
        const std::string bytes = test::FileBytes(path);
        const test::GlibcZone glibc(":" + path.string());
        for (std::int64_t t = StartOfYear(2024); t < StartOfYear(2045); t += 5 * 86400 + 3607)
            ExpectAgreesWithGlibc(bytes, glibc, t, zone);
        for (const auto &change : glibc.Changes(StartOfYear(2036), StartOfYear(2042))) {
            ExpectAgreesWithGlibc(bytes, glibc, change.at - 1, zone);
            ExpectAgreesWithGlibc(bytes, glibc, change.at, zone);
        }
    }
}

TEST(SystemZoneFile, WritesTheRecordsRuleAsPosixReadsIt) {
    const SYSTEMTIME lastSundayOfMarchAt2{0, 3, 0, 5, 2}, lastSundayOfOctoberAt3{0, 10, 0, 5, 3};
    const struct {
        TimeZoneInformation info;
        const char *rule;
    } cases[] = {
        {{.Bias = -60, .StandardDate = lastSundayOfOctoberAt3, .DaylightDate = lastSundayOfMarchAt2, .DaylightBias = -60},
         "<+01>-1<+02>-2,M3.5.0/2,M10.5.0/3"},
        {{.Bias = 300, .StandardDate = {0, 11, 0, 1, 2}, .DaylightDate = {0, 3, 0, 2, 2}, .DaylightBias = -60},
         "<-05>5<-04>4,M3.2.0/2,M11.1.0/2"},
        // Half an hour of daylight saving must be written out: POSIX's default is an hour.
        {{.Bias = -630, .StandardDate = {0, 4, 0, 1, 2}, .DaylightDate = {0, 10, 0, 1, 2}, .DaylightBias = -30},
         "<+1030>-10:30<+11>-11,M10.1.0/2,M4.1.0/2"},
        {{.Bias = -345, .StandardDate = {0, 4, 0, 1, 2, 45}, .DaylightDate = {0, 9, 6, 5, 23}, .DaylightBias = -60},
         "<+0545>-5:45<+0645>-6:45,M9.5.6/23,M4.1.0/2:45"},
        {{.Bias = -330}, "<+0530>-5:30"},
        {{.Bias = 180, .StandardBias = 60, .DaylightDate = lastSundayOfMarchAt2, .DaylightBias = -60}, "<-04>4"},
        {{.Bias = 1500}, ""},
        {{.Bias = 0, .StandardDate = {0, 10, 0, 6, 3}, .DaylightDate = lastSundayOfMarchAt2, .DaylightBias = -60}, ""},
        {{.Bias = 0, .StandardDate = {0, 10, 0, 5, 24}, .DaylightDate = lastSundayOfMarchAt2, .DaylightBias = -60}, ""},
    };
    for (const auto &c : cases) {
        char text[kRuleTextBytes];
        const std::size_t length = FormatPosixRule(c.info, text);
        EXPECT_EQ(std::string(text, length), c.rule);
        unsigned char bytes[kZoneFileBytes];
        const std::size_t size = BuildZoneFile(c.info, bytes);
        ASSERT_EQ(size == 0, length == 0) << c.rule;
        if (size == 0) continue;
        // The file ends with the rule, and the C library reads it back as the rule itself.
        const std::string file(reinterpret_cast<const char *>(bytes), size);
        EXPECT_TRUE(file.ends_with("\n" + std::string(c.rule) + "\n")) << c.rule;
        // A reader of the first part alone (version 1) finds standard time there.
        const auto firstPartOffset = static_cast<std::int32_t>(std::uint32_t{bytes[44]} << 24 | bytes[45] << 16 |
                                                              bytes[46] << 8 | bytes[47]);
        EXPECT_EQ(firstPartOffset, -(c.info.Bias + c.info.StandardBias) * 60) << c.rule;
        const test::DataDir dir;
        dir.WriteBytes("zone", file);
        const test::GlibcZone fromFile(":" + (dir.Path() / "zone").string()), fromRule(c.rule);
        for (std::int64_t t = StartOfYear(1970); t < StartOfYear(2060); t += 86400 * 7 + 3600 * 5 + 60 * 15) {
            const auto a = fromFile.At(t), b = fromRule.At(t);
            ASSERT_EQ(a.utcOffset, b.utcOffset) << c.rule << " at " << t;
            ASSERT_EQ(a.daylight, b.daylight) << c.rule << " at " << t;
            ExpectAgreesWithGlibc(file, fromFile, t, c.rule);
        }
    }
}

class SystemPlatformTest : public ::testing::Test {
protected:
    SystemPlatformTest() : zone_("KELVANE_ZONE_FILE", (dir_.Path() / "localtime").c_str()) {}
    fs::path Zone() const { return dir_.Path() / "localtime"; }

    test::DataDir dir_;
    ScopedVariable zone_;
    PosixSystemPlatform system_{dir_.Path().string()};
};

TEST_F(SystemPlatformTest, AMissingZoneFileIsUtcAndAnUnreadableOneNoAnswer) {
    TimeZoneInformation info{.Bias = 99};
    EXPECT_EQ(system_.GetTimeZoneInformation(&info), kTimeZoneIdStandard) << "missing: UTC";
    EXPECT_EQ(info.Bias, 0);
    fs::create_symlink(dir_.Path() / "nowhere", Zone());
    EXPECT_EQ(system_.GetTimeZoneInformation(&info), kTimeZoneIdStandard) << "a dangling link: UTC, as the C library";
    fs::remove(Zone());
    for (const char *bytes : {"not a zone", "TZif2", ""}) {
        dir_.WriteBytes("localtime", bytes);
        EXPECT_EQ(system_.GetTimeZoneInformation(&info), kTimeZoneIdUnknown) << bytes;
    }
    fs::remove(Zone());
    fs::create_directory(Zone());
    EXPECT_EQ(system_.GetTimeZoneInformation(&info), kTimeZoneIdUnknown) << "a directory";
}

TEST_F(SystemPlatformTest, ReplacesTheZoneFileAtomicallyForEveryReader) {
    const fs::path target = dir_.Path() / "target";
    dir_.WriteBytes("target", "the link's target");
    fs::create_symlink(target, Zone());
    const mode_t umask = ::umask(077);
    TimeZoneInformation india{.Bias = -330};
    const bool set = system_.SetTimeZoneInformation(india);
    ::umask(umask);
    ASSERT_TRUE(set);
    EXPECT_FALSE(fs::is_symlink(Zone())) << "the planted link is replaced by the file";
    EXPECT_EQ(dir_.ReadBytes("target"), "the link's target") << "never written through";
    EXPECT_EQ(fs::status(Zone()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(Zone(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(system_.SetTimeZoneInformation(india));
    EXPECT_EQ(fs::status(Zone()).permissions() & fs::perms::others_read, fs::perms::others_read)
        << "a zone file every program must read never stays unreadable";
    // A record no rule can hold, and a zone file in a directory that does not exist: refused, nothing changed.
    const std::string before = test::FileBytes(Zone());
    EXPECT_FALSE(system_.SetTimeZoneInformation({.Bias = 2000}));
    EXPECT_EQ(test::FileBytes(Zone()), before);
    const ScopedVariable elsewhere("KELVANE_ZONE_FILE", (dir_.Path() / "no" / "zone").c_str());
    EXPECT_FALSE(system_.SetTimeZoneInformation(india));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 2) << "no temporary left";
}

TEST_F(SystemPlatformTest, ClockSettingsLiveInClockIniWhichIsNeverCreated) {
    test::HeldLock lock;
    testing::InstallPlatform(&system_);
    EXPECT_EQ(SetClockDST(1, 1), Result::Registry);
    EXPECT_FALSE(dir_.Exists("clock.ini"));
    dir_.WriteBytes("clock.ini", "# the device's clock\nHomeDST = 1\nOther = x\n");
    EXPECT_EQ(SetClockDST(1, 0), Result::Ok);
    EXPECT_EQ(dir_.ReadBytes("clock.ini"), "# the device's clock\nHomeDST = 0\nOther = x\nAutoDST = 1\n");
    testing::InstallPlatform(&dir_.Device());
}

TEST(LocaleLanguage, MapsTheLocaleToItsLanguageIdentifier) {
    const struct {
        const char *locale;
        std::uint16_t id;
    } cases[] = {
        {nullptr, 1033},   {"", 1033},           {"C", 1033},          {"C.UTF-8", 1033},      {"POSIX", 1033},
        {"xx_YY", 1033},   {"de", 1031},         {"de_BE", 1031},      {"de_AT.UTF-8", 3079},  {"en_GB.UTF-8@euro", 2057},
        {"fr_CA", 3084},   {"es_MX.UTF-8", 2058}, {"zh_HK", 3076},     {"zh_SG.GB2312", 4100}, {"zh_TW.Big5", 1028},
        {"zh_CN", 2052},   {"ar_SA", 1025},      {"cs_CZ", 1029},      {"da_DK", 1030},        {"el_GR", 1032},
        {"fi_FI", 1035},   {"he_IL", 1037},      {"hu_HU", 1038},      {"nl_NL", 1043},        {"nb_NO", 1044},
        {"pl_PL", 1045},   {"sv_SE", 1053},      {"th_TH", 1054},      {"tr_TR", 1055},        {"id_ID", 1057},
        {"uk_UA", 1058},   {"vi_VN", 1066},      {"hi_IN", 1081},      {"ms_MY", 1086},        {"pt_PT", 2070},
        {"pt_BR", 1046},   {"it_IT", 1040},      {"ja_JP", 1041},      {"ko_KR", 1042},        {"ru_RU", 1049},
        {"es_ES", 3082},   {"fr_FR", 1036},      {"en_US", 1033},
    };
    for (const auto &c : cases) EXPECT_EQ(LanguageOfLocale(c.locale), c.id) << (c.locale ? c.locale : "(unset)");
    PosixSystemPlatform system;
    const ScopedVariable all("LC_ALL", ""), messages("LC_MESSAGES", "fr_CA.UTF-8"), lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(system.GetUserDefaultUILanguage(), 3084) << "an empty LC_ALL does not count";
    const ScopedVariable allSet("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(system.GetUserDefaultUILanguage(), 1041);
}

// KELVANE_DATA names the data directory; a device.ini there makes it a simulated device.
TEST(PlatformChoice, KelvaneDataNamesTheDirectoryAndDeviceIniMakesItADevice) {
    const test::DataDir dir;
    dir.WriteLines("TZ_Set.ini", {KT("77 1 1033 5")});
    const ScopedVariable data("KELVANE_DATA", dir.Path().c_str());
    EXPECT_NE(dynamic_cast<PosixSystemPlatform *>(&testing::DefaultPlatform()), nullptr);
    testing::InstallPlatform(nullptr);
    std::uint16_t tzid = 0;
    EXPECT_EQ(GetLocalTZID(&tzid), TZ_OK);
    EXPECT_EQ(tzid, 77);
    fs::create_symlink(dir.Path() / "nowhere", dir.Path() / "device.ini");
    EXPECT_NE(dynamic_cast<SimulatedDevice *>(&testing::DefaultPlatform()), nullptr) << "a link counts (lstat)";
}

// End to end against the C library: for every zone of the shipped data,
// ChangeTZ over the Linux system platform (on a copy of the data) writes the
// zone file, and the C library's localtime_r, reading that file, must agree
// with the engine: its daylight flag with QueryTZDltStateByDate at the same
// wall-clock time, its UTC offset with the record's Offset + StdOffSet or
// Offset + DltOffset. Checked at noon of every day of the data's year and at
// every hour within three hours of each change. Two places differ by design:
// the repeated hour after daylight time ends (one wall-clock hour, two
// answers), and, for a zone whose changes are not on whole hours, the change
// hours (the engine judges whole hours).

// Whether t falls where the engine and the C library differ by design.
bool DiffersByDesign(std::int64_t t, const std::vector<test::GlibcZone::Change> &changes) {
    for (const auto &c : changes) {
        const long back = c.offsetBefore - c.offsetAfter;
        if (back > 0 && t >= c.at && t < c.at + back) return true;  // the repeated wall-clock time
        const std::int64_t wallHour = (c.at + c.offsetBefore) / 3600;
        const bool offTheHour = (c.at + c.offsetBefore) % 3600 != 0;
        if (offTheHour && ((t + c.offsetBefore) / 3600 == wallHour || (t + c.offsetAfter) / 3600 == wallHour))
            return true;
    }
    return false;
}

// The instants checked in the year: local noon of each day and each hour within three hours of each change.
std::vector<std::int64_t> Instants(const test::GlibcZone &glibc, int year,
                                   const std::vector<test::GlibcZone::Change> &changes) {
    std::vector<std::int64_t> instants;
    for (std::int64_t day = StartOfYear(year); day < StartOfYear(year + 1); day += 86400)
        instants.push_back(day + 12 * 3600 - glibc.At(day + 12 * 3600).utcOffset);
    for (const auto &c : changes)
        for (int hours = -3; hours <= 3; ++hours) instants.push_back(c.at + hours * 3600);
    return instants;
}

TEST(SystemPlatformEndToEnd, EveryShippedZoneReadsAlikeInTheCLibrary) {
    const int year = test::ShippedDataYear();
    ASSERT_GT(year, 1970);
    test::ShippedDataDir dir;
    dir.Remove("device.ini");  // the system platform, not the simulated device
    const fs::path zoneFile = dir.Path() / "localtime";
    const ScopedVariable zoneFileVariable("KELVANE_ZONE_FILE", zoneFile.c_str());
    PosixSystemPlatform system(dir.Path().string());
    testing::InstallPlatform(&system);
    int zones = 0, instants = 0;
    for (const auto &fields : test::DataLines(KT("TZ_Def.ini"), 17)) {
        const auto id = static_cast<std::uint16_t>(test::Number(fields[0]));
        TZInfo rule{};
        ASSERT_EQ(ChangeTZ(id, 1), TZ_OK) << "zone " << id;
        ASSERT_EQ(GetTZInfoByID(&id, 1, &rule), TZ_OK);
        const test::GlibcZone glibc(":" + zoneFile.string());
        const auto changes = glibc.Changes(StartOfYear(year) - 86400, StartOfYear(year + 1) + 86400);
        ++zones;
        for (const std::int64_t t : Instants(glibc, year, changes)) {
            if (DiffersByDesign(t, changes)) continue;
            const auto local = glibc.At(t);
            const SYSTEMTIME wall{static_cast<std::uint16_t>(local.year), static_cast<std::uint16_t>(local.month), 0,
                                  static_cast<std::uint16_t>(local.day), static_cast<std::uint16_t>(local.hour)};
            std::uint32_t state = 7;
            ASSERT_EQ(QueryTZDltStateByDate(id, &wall, &state), TZ_OK);
            ASSERT_EQ(state == 1, local.daylight) << "zone " << id << " at " << t;
            const long offset = -60L * (rule.Offset + (local.daylight ? rule.DltOffset : rule.StdOffSet));
            ASSERT_EQ(local.utcOffset, offset) << "zone " << id << " at " << t;
            ++instants;
        }
    }
    testing::InstallPlatform(&dir.Device());
    EXPECT_GE(zones, 100);
    std::printf("%d zones, %d instants agree with the C library\n", zones, instants);
}

}  // namespace
}  // namespace kelvane
