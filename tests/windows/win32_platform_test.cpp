// The real Win32 platform layer, over the system it runs on (Wine in CI).
//
// The program lies in a folder of its own: the data directory is that
// folder, found through GetModuleFileNameW as the engine finds it, and each
// test copies the shipped data there first. Nothing here may set the system
// clock or a time zone: the ChangeTZ case runs only where the token cannot
// enable SeTimeZonePrivilege, so the layer refuses before calling the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "dst/clock_registry.h"
#include "platform/host_files.h"
#include "platform/platform.h"
#include "platform/simulated_device.h"
#include "platform/win32_platform.h"
#include "record/data_lock.h"
#include "record/data_path.h"

namespace kelvane {
namespace {
namespace fs = std::filesystem;

constexpr const wchar_t *kClockKey = L"SoftWare\\Microsoft\\Clock";

fs::path ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(std::wstring(path, n)).parent_path();
}

std::string Bytes(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every file in the folder with its bytes.
std::map<std::wstring, std::string> Snapshot(const fs::path &folder) {
    std::map<std::wstring, std::string> files;
    for (const auto &entry : fs::directory_iterator(folder)) files[entry.path().filename()] = Bytes(entry.path());
    return files;
}

// Whether this process could enable SeTimeZonePrivilege (then the ChangeTZ
// case must not run: the zone would really change).
bool CanEnableTimeZonePrivilege() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES, &token)) return false;
    TOKEN_PRIVILEGES wanted{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
    TOKEN_PRIVILEGES previous{};
    DWORD size = 0;
    bool can = ::LookupPrivilegeValueW(nullptr, L"SeTimeZonePrivilege", &wanted.Privileges[0].Luid) &&
               ::AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &size) &&
               ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    if (can) ::AdjustTokenPrivileges(token, FALSE, &previous, 0, nullptr, nullptr);
    ::CloseHandle(token);
    return can;
}

std::optional<DWORD> ClockValue(const wchar_t *name) {
    DWORD value = 0, type = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kClockKey, name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    return value;
}

class Win32Layer : public ::testing::Test {
protected:
    void SetUp() override {
        testing::InstallPlatform(nullptr);  // the default: the real platform, as no device.ini is copied
        for (const auto &entry : fs::directory_iterator(fs::path(L"Z:" KELVANE_SHIPPED_DATA_DIR))) {
            if (entry.path().filename() == L"device.ini") continue;
            fs::remove(folder_ / entry.path().filename());  // mingw's copy_file cannot overwrite
            fs::copy_file(entry.path(), folder_ / entry.path().filename());
            copied_.push_back(entry.path().filename());
        }
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClockKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    void TearDown() override {
        for (const auto &name : copied_) fs::remove(folder_ / name);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kClockKey);
    }

    const fs::path folder_ = ProgramFolder();
    std::vector<fs::path> copied_;
    Win32Platform system_;
};

TEST_F(Win32Layer, DataFilesLieBesideTheProgram) {
    TZChar path[kPathUnits];
    ASSERT_EQ(BuildDataFilePath(L"TZ_Def.ini", path), Result::Ok);
    EXPECT_EQ(fs::path(path), folder_ / L"TZ_Def.ini");
    // A path longer than the room fails whole, without writing past it.
    TZChar room[8] = {1, 1, 1, 1, 1, 1, 1, 0x7777};
    EXPECT_EQ(host::ModuleFileName(room, 7), 0u);
    EXPECT_EQ(room[7], 0x7777);
}

TEST_F(Win32Layer, ReplaceWaitsForAReaderThenFailsWhole) {
    const fs::path favourites = folder_ / L"TZ_Frequency.ini";
    const auto filesBefore = Snapshot(folder_);
    const FileHandle reader = system_.OpenForReading(favourites.c_str());
    ASSERT_NE(reader, kNoFile);
    const uint16_t zone = 2;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AddTZFrequency(1, &zone), TZ_ERR_WRITE);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(500));  // retried while the reader might close
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(Snapshot(folder_), filesBefore);  // old file whole, no temporary file left
    system_.CloseFile(reader);
    EXPECT_EQ(AddTZFrequency(1, &zone), TZ_OK);
    uint32_t flag = 0;  // zone 2 is no favourite of the shipped data: the file was rewritten
    EXPECT_EQ(GetTZFrequencyState(1, &zone, &flag), TZ_OK);
    EXPECT_EQ(flag, 1u);
}

TEST_F(Win32Layer, HostFilesRefuseWhatTheyMust) {
    const fs::path existing = folder_ / L"TZ_Def.ini";
    EXPECT_EQ(system_.CreateNewFile(existing.c_str()), kNoFile);
    EXPECT_EQ(system_.OpenForReading(folder_.c_str()), kNoFile);  // a directory
    EXPECT_EQ(system_.OpenForReading(L"NUL"), kNoFile);           // a device
    const LockHandle held = system_.LockDirectory(folder_.c_str(), 0);
    ASSERT_NE(held, kNoLock);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(system_.LockDirectory(folder_.c_str(), 300), kNoLock);  // even within one process
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));  // waited
    system_.UnlockDirectory(held);  // that it frees the lock, a writer that writes twice shows
    std::vector<std::wstring> names;
    ASSERT_TRUE(system_.ListDirectory(
        folder_.c_str(), [](void *list, const TZChar *name) { static_cast<std::vector<std::wstring> *>(list)->push_back(name); },
        &names));
    EXPECT_EQ(std::count(names.begin(), names.end(), L"Kelvane.lock"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"."), 0);
}

// A writer that releases the lock and asks for it again at once queues
// behind the writer already waiting: polling alone would give it back to
// the first, as it asks within microseconds and the other looks every 2 ms.
TEST_F(Win32Layer, WritersTakeTheLockInTurn) {
    LockHandle first = system_.LockDirectory(folder_.c_str(), 0);
    ASSERT_NE(first, kNoLock);
    std::atomic<bool> secondHeld{false};
    std::thread second([&] {
        const LockHandle held = system_.LockDirectory(folder_.c_str(), 5000);
        secondHeld = held != kNoLock;
        ::Sleep(50);
        system_.UnlockDirectory(held);
    });
    ::Sleep(200);  // the second writer is waiting
    system_.UnlockDirectory(first);
    first = system_.LockDirectory(folder_.c_str(), 5000);
    EXPECT_TRUE(secondHeld) << "the lock went back to the writer that released it";
    system_.UnlockDirectory(first);
    second.join();
}

TEST_F(Win32Layer, TimeZoneAndLanguageAreTheSystems) {
    TIME_ZONE_INFORMATION raw{};
    const DWORD rawState = ::GetTimeZoneInformation(&raw);
    TimeZoneInformation info{};
    const uint32_t state = system_.GetTimeZoneInformation(&info);
    EXPECT_EQ(info.Bias, raw.Bias);
    const bool noRule = raw.StandardDate.wMonth == 0 && raw.DaylightDate.wMonth == 0;
    EXPECT_EQ(state, rawState == TIME_ZONE_ID_UNKNOWN && noRule ? kTimeZoneIdStandard : rawState);
    uint32_t daylight = 9;
    EXPECT_EQ(GetTZDaylightTime(&daylight), TZ_OK);
    EXPECT_EQ(daylight, state == kTimeZoneIdDaylight ? 1u : 0u);
    EXPECT_EQ(system_.GetUserDefaultUILanguage(), ::GetUserDefaultUILanguage());
}

TEST_F(Win32Layer, ClockValuesGoToTheRegistry) {
    for (const auto &[autoDst, homeDst] : {std::pair{1u, 0u}, std::pair{0u, 1u}}) {
        EXPECT_EQ(SetClockDST(autoDst, homeDst), Result::Ok);
        EXPECT_EQ(ClockValue(L"AutoDST"), autoDst);
        EXPECT_EQ(ClockValue(L"HomeDST"), homeDst);
    }
    EXPECT_EQ(Bytes(folder_ / L"clock.ini"), Bytes(fs::path(L"Z:" KELVANE_SHIPPED_DATA_DIR) / L"clock.ini"))
        << "clock.ini is left alone while the key exists";
    // A desktop has no clock key: clock.ini in the data directory stands for it.
    ASSERT_EQ(::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kClockKey), ERROR_SUCCESS);
    {
        DataDirectoryLock lock;  // held by the exports that call it
        ASSERT_EQ(lock.Acquire(), Result::Ok);
        EXPECT_EQ(SetClockDST(1, 1), Result::Ok);
    }
    const std::string settings = Bytes(folder_ / L"clock.ini");
    EXPECT_NE(settings.find("AutoDST = 1\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("HomeDST = 1\n"), std::string::npos) << settings;
    fs::remove(folder_ / L"clock.ini");
    EXPECT_EQ(SetClockDST(1, 1), Result::Registry);  // neither the key nor the file is ever created
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kClockKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fs::exists(folder_ / L"clock.ini"));
}

TEST_F(Win32Layer, DeviceIniMakesTheDataDirectoryASimulatedDevice) {
    EXPECT_NE(dynamic_cast<Win32Platform *>(&testing::DefaultPlatform()), nullptr);
    std::ofstream(folder_ / L"device.ini") << "ui_language = 1041\n";
    EXPECT_NE(dynamic_cast<SimulatedDevice *>(&testing::DefaultPlatform()), nullptr);
    EXPECT_EQ(CurrentPlatform().GetUserDefaultUILanguage(), 1041);
    fs::remove(folder_ / L"device.ini");
}

TEST_F(Win32Layer, ChangeTZWithoutThePrivilegeChangesNothing) {
    if (CanEnableTimeZonePrivilege()) GTEST_SKIP() << "this process may change the system's zone";
    TIME_ZONE_INFORMATION zoneBefore{};
    const DWORD stateBefore = ::GetTimeZoneInformation(&zoneBefore);
    const auto files = Snapshot(folder_);
    SYSTEMTIME before{}, after{};
    ::GetSystemTime(&before);
    EXPECT_EQ(ChangeTZ(20, 1), TZ_ERR_SET_TZ);
    ::GetSystemTime(&after);
    EXPECT_EQ(Snapshot(folder_), files);
    EXPECT_EQ(ClockValue(L"AutoDST"), std::nullopt);
    EXPECT_EQ(ClockValue(L"HomeDST"), std::nullopt);
    TIME_ZONE_INFORMATION zoneAfter{};
    EXPECT_EQ(::GetTimeZoneInformation(&zoneAfter), stateBefore);
    EXPECT_EQ(zoneAfter.Bias, zoneBefore.Bias);
    EXPECT_EQ(std::wstring(zoneAfter.StandardName), std::wstring(zoneBefore.StandardName));
    FILETIME a{}, b{};
    ::SystemTimeToFileTime(&before, &a);
    ::SystemTimeToFileTime(&after, &b);
    const auto ticks = [](FILETIME t) { return (static_cast<int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    EXPECT_LT(std::llabs(ticks(b) - ticks(a)), 60LL * 10'000'000);  // the clock was not moved
}

}  // namespace
}  // namespace kelvane
