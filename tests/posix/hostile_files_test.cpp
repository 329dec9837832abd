// Files set against the engine: a FIFO where a data file belongs, a link
// planted where a temporary file might go, description names that point
// outside the data directory, a backslash in the directory's name, stale
// temporary files, a lock another writer keeps, and numbers no clock holds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <tuple>

#include "Kelvane.h"
#include "check/data_check.h"
#include "platform/host_files.h"
#include "record/data_writer.h"
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

// Both writers keep a replaced file's permission bits and owner, and create a
// new file readable by everyone whatever the umask.
TEST(HostileFiles, ARewriteKeepsTheFilesModeAndOwner) {
    struct Case {
        const char *before;  // nullptr: no file yet
        mode_t mode, umask, modeAfter;
        uid_t owner;
    };
    const uid_t me = ::geteuid(), other = me == 0 ? 4242 : me;  // only root can give a file away
    const Case cases[] = {
        {"old", 0600, 022, 0600, other}, {"old", 0640, 0, 0640, me}, {"old", 0604, 077, 0604, other},
        {nullptr, 0, 077, 0644, me},     {nullptr, 0, 0, 0644, me},
    };
    const TZChar *lines[] = {KT("new")};
    for (const bool dataWriter : {true, false}) {
        for (const Case &c : cases) {
            DataDir dir;
            const fs::path file = dir.Path() / "X.ini";
            if (c.before != nullptr) {
                dir.WriteBytes("X.ini", c.before);
                ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
                ASSERT_EQ(::chown(file.c_str(), c.owner, c.owner), 0);
            }
            const mode_t saved = ::umask(c.umask);
            const bool written = dataWriter ? WriteDataFile(test::HeldLock(), KT("X.ini"), 1, lines) == Result::Ok
                                            : host::ReplaceWhole(file.string(), "new");
            ::umask(saved);
            ASSERT_TRUE(written);
            struct stat after {};
            ASSERT_EQ(::stat(file.c_str(), &after), 0);
            EXPECT_EQ(after.st_mode & 07777, c.modeAfter) << dataWriter << " " << std::oct << c.mode;
            EXPECT_EQ(after.st_uid, c.owner) << dataWriter << " " << std::oct << c.mode;
            EXPECT_EQ(after.st_gid, c.owner) << dataWriter << " " << std::oct << c.mode;
        }
    }
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
        {"sub/En.ini", TZ_OK}, {out, TZ_ERR_FILE}, {"sub/../sub/En.ini", TZ_ERR_FILE}, {"sub/..", TZ_ERR_FILE},
        {up, TZ_ERR_FILE},  // the last: the checker reports it
    };
    for (const auto &[name, result] : cases) {
        dir.WriteLines("Lang_Def.ini", {KT("1033 ") + test::Widen(name)});
        const uint16_t id = 33;
        TZDesc desc{};
        EXPECT_EQ(GetTZDescByID(&id, 1, &desc), result) << name;
    }
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
    std::string names;
    for (const auto &[name, bytes] : dir.Snapshot()) names += name + " ";
    EXPECT_EQ(names, ".0123456789abcdef.kvtmp TZ_Def.ini TZ_Frequency.ini TZ_Set.ini TZ_UserDef.ini "
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
    EXPECT_EQ(std::tuple(info.Bias, info.StandardBias, info.DaylightBias), std::tuple(0, 0, 0));
    EXPECT_GE(utc.wYear, 2024);
    EXPECT_LE(utc.wYear, 2200) << "the host's clock, no offset";
}

// A device.ini that stands there but cannot be read (a FIFO, or more than
// 64 KiB) is never replaced by the defaults: every change of state is
// refused, the zone's state is unknown, and the check reports the file. One
// of exactly 64 KiB is read as any other.
TEST(SimulatedDevice, RefusesToChangeAStateItCannotRead) {
    const struct { const char *kind; std::uintmax_t size; } cases[] = {
        {"FIFO", 0}, {"2 GiB", std::uintmax_t{2} << 30}, {"64 KiB and a byte", 65537}, {"64 KiB", 65536}};
    for (const auto &c : cases) {
        DataDir dir;
        WriteCatalogue(dir);
        const auto device = dir.Path() / "device.ini";
        if (c.size == 0) {
            ASSERT_EQ(::mkfifo(device.c_str(), 0600), 0);
        } else {
            dir.WriteDevice("clock = 2024-01-01 12:00:00\n#");  // the rest of the file: a comment of zeros
            fs::resize_file(device, c.size);
        }
        // Every change is refused: a file of 64 KiB cannot grow either.
        const SYSTEMTIME utc{2024, 1, 1, 1, 12, 0, 0, 0};
        EXPECT_FALSE(dir.Device().SetSystemTime(utc)) << c.kind;
        EXPECT_FALSE(dir.Device().SetTimeZoneInformation(TimeZoneInformation{})) << c.kind;
        EXPECT_FALSE(dir.Device().ApplyTimeZone(TimeZoneInformation{})) << c.kind;
        EXPECT_FALSE(dir.Device().SetClockValue(1, KT("AutoDST"), 1)) << c.kind;
        TimeZoneInformation info{};
        EXPECT_EQ(dir.Device().GetTimeZoneInformation(&info) != 0, c.size == 65536) << c.kind;
        if (c.size == 65536) continue;
        EXPECT_EQ(ChangeTZ(12, 1), TZ_ERR_STATE) << c.kind;
        EXPECT_EQ(FixTZ(), TZ_ERR_STATE) << c.kind;
        EXPECT_EQ(fs::status(device).type() == fs::file_type::fifo ? 0 : fs::file_size(device), c.size) << c.kind;
        const auto problems = tool::CheckDataDirectory(dir.Path()).List();
        EXPECT_EQ(std::count_if(problems.begin(), problems.end(), [](const auto &p) { return p.file == "device.ini"; }),
                  1) << c.kind;
    }
}

}  // namespace
}  // namespace kelvane
