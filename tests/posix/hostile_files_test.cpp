// Files set against the engine: a FIFO where a data file belongs, a link
// planted where a temporary file might go, description names that point
// outside the data directory, a backslash in the directory's name, stale
// temporary files, a lock another writer keeps, and numbers no clock holds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "Kelvane.h"
#include "check/data_check.h"
#include "settings/settings_file.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataDir;
namespace fs = std::filesystem;

void WriteCatalogue(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {test::ZoneText({.id = 33, .offset = -480}), test::ZoneText({.id = 12})});
    dir.WriteLines("TZ_UserDef.ini", {});
    dir.WriteLines("TZ_Frequency.ini", {KT("33 1")});
    dir.WriteLines("TZ_Set.ini", {KT("33 1 1033 33")});
}

std::string Names(const DataDir &dir) {
    std::string names;
    for (const auto &[name, bytes] : dir.Snapshot()) names += name + " ";
    return names;
}

std::string CheckReport(const DataDir &dir) {
    const tool::Problems problems = tool::CheckDataDirectory(dir.Path());
    std::string report;
    for (const auto &p : problems.List()) report += tool::Format(p) + "\n";
    return report;
}

TEST(HostileFiles, AFifoIsAMissingFileForTheEngineAndTheChecker) {
    DataDir dir;
    WriteCatalogue(dir);
    dir.Remove("TZ_Set.ini");
    ASSERT_EQ(::mkfifo((dir.Path() / "TZ_Set.ini").c_str(), 0644), 0);
    uint16_t zone = 0;
    EXPECT_EQ(GetLocalTZID(&zone), TZ_ERR_FILE);  // returns at once: nothing writes into the FIFO
    // The checker neither hangs on it nor reads a huge file whole.
    dir.WriteBytes("TZ_CityZoneNum.ini", std::string(9 << 20, 'x'));
    const std::string report = CheckReport(dir);
    EXPECT_NE(report.find("TZ_Set.ini: error: not a regular file"), std::string::npos) << report;
    EXPECT_NE(report.find("TZ_CityZoneNum.ini: warning: more than 8388608 bytes"), std::string::npos) << report;
}

TEST(HostileFiles, APlantedLinkIsNeverWrittenThrough) {
    DataDir elsewhere, dir;  // the last one made is the device's
    WriteCatalogue(dir);
    elsewhere.WriteBytes("victim", "precious");
    const fs::path victim = elsewhere.Path() / "victim";
    for (const char *planted : {"TZ_Frequency.ini.new", "TZ_Frequency.ini.0000000000000000.kvtmp"})
        fs::create_symlink(victim, dir.Path() / planted);
    const test::Text link = (dir.Path() / "TZ_Frequency.ini.new").u16string();
    EXPECT_EQ(dir.Device().CreateNewFile(reinterpret_cast<const TZChar *>(link.c_str())), kNoFile);
    const uint16_t id = 12;
    EXPECT_EQ(AddTZFrequency(1, &id), TZ_OK);
    EXPECT_EQ(elsewhere.ReadBytes("victim"), "precious");
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "TZ_Frequency.ini"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.Path() / "TZ_Frequency.ini.0000000000000000.kvtmp")))
        << "a stale temporary name, link or not, is removed";
}

TEST(HostileFiles, DescriptionNamesStayInTheDataDirectory) {
    DataDir outside, dir;  // the last one made is the device's
    WriteCatalogue(dir);
    outside.WriteLines("En.ini", {KT("33 Beijing Beijing CST CDT")});
    fs::create_directory(dir.Path() / "sub");
    dir.WriteLines("sub/En.ini", {KT("33 Beijing Beijing CST CDT")});
    const std::string out = (outside.Path() / "En.ini").string();
    const std::string up = "../" + outside.Path().filename().string() + "/En.ini";
    const std::pair<std::string, uint32_t> cases[] = {
        {"sub/En.ini", TZ_OK}, {out, TZ_ERR_FILE}, {up, TZ_ERR_FILE}, {"sub/../sub/En.ini", TZ_ERR_FILE},
        {"sub/..", TZ_ERR_FILE},
    };
    for (const auto &[name, result] : cases) {
        dir.WriteLines("Lang_Def.ini", {KT("1033 ") + test::Widen(name)});
        const uint16_t id = 33;
        TZDesc desc{};
        EXPECT_EQ(GetTZDescByID(&id, 1, &desc), result) << name;
    }
    dir.WriteLines("Lang_Def.ini", {KT("1033 ") + test::Widen(up)});
    const std::string report = CheckReport(dir);
    EXPECT_NE(report.find("lies outside the data directory"), std::string::npos) << report;
}

TEST(HostileFiles, ABackslashIsPartOfTheDirectoryName) {
    DataDir base;
    const fs::path directory = base.Path() / "a\\b";
    fs::create_directory(directory);
    SimulatedDevice device((directory / "host").string());
    testing::InstallPlatform(&device);
    const TZSetting written{45, 1, 1033, 12};
    ASSERT_EQ(WriteTZSetting(test::HeldLock(), &written), Result::Ok);
    TZSetting read{};
    EXPECT_EQ(ReadTZSetting(&read), Result::Ok);
    EXPECT_EQ(read.TZID, 45);
    EXPECT_TRUE(fs::exists(directory / "TZ_Set.ini"));
    EXPECT_FALSE(fs::exists(base.Path() / "a"));
    testing::InstallPlatform(&base.Device());
}

// The lock holder removes stale temporaries of the engine's naming, nothing
// else; a writer that cannot get the lock in five seconds changes nothing.
TEST(DataDirectoryLock, RemovesStaleTemporariesAndKeepsOtherWritersOut) {
    DataDir dir;
    WriteCatalogue(dir);
    for (const char *name : {"TZ_Set.ini.0123456789abcdef.kvtmp", "device.ini.00000000000000ff.kvtmp", "notes.tmp",
                             "my backup.kvtmp", "a.0123456789abcdef0.kvtmp", "a.0123456789abcdeg.kvtmp",
                             ".0123456789abcdef.kvtmp"})
        dir.WriteBytes(name, "left behind");
    const test::HeldLock lock;
    ASSERT_TRUE(lock.Held());
    EXPECT_EQ(Names(dir), ".0123456789abcdef.kvtmp TZ_Def.ini TZ_Frequency.ini TZ_Set.ini TZ_UserDef.ini "
                          "a.0123456789abcdef0.kvtmp a.0123456789abcdeg.kvtmp my backup.kvtmp notes.tmp ");
    const auto before = dir.Snapshot();
    const uint16_t id = 12;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AddTZFrequency(1, &id), TZ_ERR_WRITE);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(dir.Snapshot(), before);
}

TEST(SimulatedDevice, NumbersBeyondTheirRangeCountAsAbsent) {
    DataDir dir;
    dir.WriteDevice("clock_offset = 9223372036854775807\ntz_bias = 9223372036854775807\n"
                    "tz_standard_bias = -9223372036854775808\ntz_daylight_bias = 99999999999999999999\n");
    SYSTEMTIME utc{};
    dir.Device().GetSystemTime(&utc);  // under the sanitizers an overflow would stop here
    TimeZoneInformation info{};
    dir.Device().GetTimeZoneInformation(&info);
    EXPECT_EQ(info.Bias, 0);
    EXPECT_EQ(info.StandardBias, 0);
    EXPECT_EQ(info.DaylightBias, 0);
    EXPECT_GE(utc.wYear, 2024);
    EXPECT_LE(utc.wYear, 2200) << "the host's clock, no offset";
}

// A device.ini that stands there but cannot be read (here a FIFO) is never
// replaced by the defaults: every change of state is refused.
TEST(SimulatedDevice, RefusesToChangeAStateItCannotRead) {
    DataDir dir;
    ASSERT_EQ(::mkfifo((dir.Path() / "device.ini").c_str(), 0600), 0);
    const SYSTEMTIME utc{2024, 1, 1, 1, 12, 0, 0, 0};
    EXPECT_FALSE(dir.Device().SetSystemTime(utc));
    EXPECT_FALSE(dir.Device().SetTimeZoneInformation(TimeZoneInformation{}));
    EXPECT_FALSE(dir.Device().SetClockValue(1, KT("AutoDST"), 1));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.Path() / "device.ini"));
}

}  // namespace
}  // namespace kelvane
