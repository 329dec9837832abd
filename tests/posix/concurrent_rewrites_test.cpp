// Rewrites against each other and against SIGKILL.
//
// Crash consistency: a child loops rewrites (favourites, user zones,
// settings and the device through ChangeTZ and FixTZ) and is killed at
// random moments; afterwards every file is one of the versions the loop
// writes, the device's UTC time is unchanged, the start-up correction puts
// the zone of the settings on the platform, and the next rewrite leaves no
// temporary file behind. Concurrency: processes, or threads of one process,
// add distinct favourites and user zones while another reads through the
// exports; no read fails or goes backwards, every addition is there at the
// end, and with additions and removals mixed no file is ever torn.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <random>
#include <set>
#include <thread>

#include "Kelvane.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/faulty_device.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::DataDir;
using Clock = std::chrono::steady_clock;
using Versions = std::map<std::string, std::set<std::string>>;

constexpr uint16_t kCatalogueZones = 48;

// Zones 1 to 48 (1 to 4 with a rule), names, settings and a frozen clock.
void WriteWorld(const DataDir &dir) {
    std::vector<test::Text> zones, names;
    for (int id = 1; id <= kCatalogueZones; ++id) {
        zones.push_back(id <= 4 ? test::ZoneText({.id = id, .offset = -60, .stdMonth = 10, .stdDay = 5, .stdHour = 3,
                                                  .dltMonth = 3, .dltDay = 5, .dltHour = 2, .dltOffset = -60})
                                : test::ZoneText({.id = id, .offset = id * 10}));
        names.push_back(test::Widen(std::to_string(id) + " Z Z S D"));
    }
    dir.WriteLines("TZ_Def.ini", zones);
    dir.WriteLines("TZ_UserDef.ini", {});
    dir.WriteLines("TZ_Frequency.ini", {});
    dir.WriteLines("Lang_Def.ini", {KT("1033 En.ini")});
    dir.WriteLines("En.ini", names);
    dir.WriteLines("TZ_Set.ini", {KT("1 1 1033 1")});
    dir.WriteDevice("clock = 2024-07-01 12:00:00\n");
}

TZInfo UserZone(const std::string &name) {
    TZInfo zone{.Offset = -60};
    const auto wide = test::Widen(name);
    std::copy(wide.begin(), wide.end(), zone.Detail);
    return zone;
}

// One round of the crash loop: a start-up correction and every kind of
// rewrite, back where it began. Each step gives the same files from any
// state a killed round may have left, and TZ_OK: a child whose step gives
// another result exits with the step's number instead of dying by the
// signal. after(), if given, runs after each step.
const std::vector<std::function<uint32_t()>> &RoundSteps() {
    static const uint16_t favourite = 7, user = 10000;
    static const TZInfo zone = UserZone("Mine");
    static const std::vector<std::function<uint32_t()>> steps = {
        [] { return FixTZ(); },
        [] { return AddTZFrequency(1, &favourite); },
        [] {
            uint16_t users = TZ_MAX_ZONES;
            return GetTZCount(3, &users) == TZ_OK && users == 0 ? AddTZ(&zone) : TZ_OK;
        },
        [] { return ChangeTZ(5, 1); },
        [] { return DeleteTZFrequency(1, &favourite); },
        [] {
            const uint32_t result = DeleteTZ(1, &user);
            return result == TZ_ERR_PARAM ? TZ_OK : result;  // no user zone left to delete
        },
        [] { return ChangeTZ(1, 1); },
    };
    return steps;
}

void RewriteRound(const std::function<void()> &after = [] {}) {
    for (std::size_t i = 0; i < RoundSteps().size(); ++i) {
        if (RoundSteps()[i]() != TZ_OK) ::_exit(static_cast<int>(10 + i));
        after();
    }
}

// device.ini is checked by what must hold across files, not by its bytes.
void Record(const DataDir &dir, Versions &versions) {
    for (const auto &[name, bytes] : dir.Snapshot())
        if (name != "device.ini") versions[name].insert(bytes);
}

bool UtcIs(DataDir &dir, const SYSTEMTIME &expected) {
    SYSTEMTIME utc{};
    dir.Device().GetSystemTime(&utc);
    return CompareDateTime(&utc, &expected) == 0 && utc.wSecond == expected.wSecond;
}

// The start-up correction, as the device runs it at boot: afterwards the
// platform zone's bias is the offset of the zone TZ_Set.ini names (zone 1:
// -60, zone 5: 50), and UTC has not moved.
void ExpectStartupCorrectionRecovers(DataDir &dir, const SYSTEMTIME &utc, int kill) {
    ASSERT_EQ(FixTZ(), TZ_OK);
    uint16_t current = 0;
    ASSERT_EQ(GetLocalTZID(&current), TZ_OK);
    TimeZoneInformation held{};
    dir.Device().GetTimeZoneInformation(&held);
    ASSERT_EQ(held.Bias, current == 1 ? -60 : current * 10) << "zone " << current << " after kill " << kill;
    ASSERT_TRUE(UtcIs(dir, utc)) << "UTC moved by FixTZ after kill " << kill;
}

// A child loops rounds and is killed at random moments. After each kill the
// data files are versions the loop writes, the device's UTC time is the one
// it began with (its clock is frozen: no switch may move UTC), and after the
// start-up correction the platform holds the zone TZ_Set.ini names.
TEST(CrashConsistency, AKilledSwitchOrRewriteIsRecovered) {
    DataDir dir;
    WriteWorld(dir);
    test::FaultyDevice device((dir.Path() / "host").string());
    device.skipDurability = true;  // a killed process loses nothing the kernel holds: no need to wait for the disk
    testing::InstallPlatform(&device);
    ASSERT_EQ(ChangeTZ(1, 1), TZ_OK);
    SYSTEMTIME utc{};
    dir.Device().GetSystemTime(&utc);
    Versions versions;
    Record(dir, versions);
    const auto start = Clock::now();
    for (int round = 0; round < 2; ++round) RewriteRound([&] { Record(dir, versions); });
    // Kills fall anywhere in the first two rounds of a child, whatever a round costs here.
    const auto round = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count() / 2;
    std::mt19937 random(20261206);
    int kills = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(40);
    while (kills < 1000 && Clock::now() < deadline) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;) RewriteRound();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (2 * round + 1)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++kills;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "kill " << kills << ": the child ended otherwise (exit " << WEXITSTATUS(status)
            << ": step 10 + n gave a result it does not accept)";
        for (const auto &[name, bytes] : dir.Snapshot()) {
            if (name.ends_with(".kvtmp") || name == "device.ini") continue;  // the next writer removes a temporary
            ASSERT_TRUE(versions[name].count(bytes)) << name << " torn after kill " << kills;
        }
        ASSERT_TRUE(UtcIs(dir, utc)) << "UTC moved by kill " << kills;
        if (kills % 10 == 0) ExpectStartupCorrectionRecovers(dir, utc, kills);
    }
    ExpectStartupCorrectionRecovers(dir, utc, kills);  // and the next rewrite leaves no temporary
    for (const auto &[name, bytes] : dir.Snapshot()) EXPECT_FALSE(name.ends_with(".kvtmp")) << name;
    testing::InstallPlatform(&dir.Device());
    std::printf("crash consistency: %d kills survived\n", kills);
}

// Reads through the exports while writing lasts: 1 as soon as a read fails,
// a favourite is out of range, or, with additionsOnly, a list shrank.
int ReadWhile(const std::atomic<bool> &writing, bool additionsOnly) {
    uint16_t lastFavourites = 0, lastUserZones = 0;
    while (writing) {
        uint16_t favourites[TZ_MAX_ZONES], count = TZ_MAX_ZONES, users = TZ_MAX_ZONES;
        if (GetTZFrequency(&count, favourites, 0) != TZ_OK || GetTZCount(3, &users) != TZ_OK) return 1;
        if (std::any_of(favourites, favourites + count, [](uint16_t id) { return id < 1 || id > kCatalogueZones; }))
            return 1;
        if (additionsOnly && (count < lastFavourites || users < lastUserZones)) return 1;
        lastFavourites = count;
        lastUserZones = users;
    }
    return 0;
}

std::multiset<uint16_t> Favourites() {
    uint16_t favourites[TZ_MAX_ZONES], count = TZ_MAX_ZONES;
    EXPECT_EQ(GetTZFrequency(&count, favourites, 0), TZ_OK);
    return {favourites, favourites + count};
}

// How the writers run: each in a process of its own, or each in a thread of this one.
enum class Writers { Processes, Threads };

// A task run in a process or a thread of its own; Wait gives the failures it counted.
class Task {
public:
    Task(Writers how, const std::function<int()> &task) {
        if (how == Writers::Threads) {
            thread_ = std::jthread([this, task] { failures_ = task(); });
            return;
        }
        child_ = ::fork();
        if (child_ == 0) ::_exit(std::min(task(), 100));
    }
    int Wait() {
        if (thread_.joinable()) {
            thread_.join();
            return failures_;
        }
        int status = 0;
        ::waitpid(child_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000;  // a child that died
    }

private:
    std::jthread thread_;
    pid_t child_ = -1;
    int failures_ = 0;
};

// Runs the writers at once while a reader, a thread of this process (started
// after any writer process), reads until they are done. Gives the calls the
// writers saw fail (kept from the lock for five seconds, or worse) and the
// reader's failures (a failed read, a shrunk list).
std::pair<int, int> RunWhileReading(Writers how, const std::vector<std::function<int()>> &writers, bool additionsOnly) {
    std::atomic<bool> writing = true;
    std::list<Task> tasks;
    for (const auto &writer : writers) tasks.emplace_back(how, writer);
    Task reader(Writers::Threads, [&writing, additionsOnly] { return ReadWhile(writing, additionsOnly); });
    int refused = 0;
    for (Task &task : tasks) refused += task.Wait();
    writing = false;
    return {refused, reader.Wait()};
}

constexpr int kWriters = 3, kAdditions = 8, kMixes = 6;

// Built by append: g++ 12 warns falsely (-Wrestrict) on "W" + std::string.
std::string ZoneName(int writer, int k) {
    return std::string("W").append(std::to_string(writer)) + "-" + std::to_string(k);
}
uint16_t Favourite(int writer, int k) { return static_cast<uint16_t>(writer * kAdditions + k + 1); }

// Writers add distinct user zones and favourites, then add and remove a
// favourite each, while a reader reads through the exports. No read fails or
// sees a list shrink while only additions run; no call is refused (five
// seconds of waiting for the lock are enough here); every addition is there
// at the end, and each writer's last removal stands.
void ExpectNothingLostOrTorn(Writers how) {
    DataDir dir;
    WriteWorld(dir);
    std::vector<std::function<int()>> adders, mixers;
    std::multiset<uint16_t> favourites;
    for (int w = 0; w < kWriters; ++w) {
        adders.push_back([w] {
            int refused = 0;
            for (int k = 0; k < kAdditions; ++k) {
                const TZInfo zone = UserZone(ZoneName(w, k));
                const uint16_t favourite = Favourite(w, k);
                refused += (AddTZ(&zone) != TZ_OK) + (AddTZFrequency(1, &favourite) != TZ_OK);
            }
            return refused;
        });
        mixers.push_back([w] {
            const uint16_t id = static_cast<uint16_t>(40 + w);
            int refused = 0;
            for (int k = 0; k < kMixes; ++k)
                refused += (AddTZFrequency(1, &id) != TZ_OK) + (DeleteTZFrequency(1, &id) != TZ_OK);
            return refused;
        });
        for (int k = 0; k < kAdditions; ++k) favourites.insert(Favourite(w, k));
    }
    const auto [addsRefused, addsTorn] = RunWhileReading(how, adders, true);
    EXPECT_EQ(addsRefused, 0);
    EXPECT_EQ(addsTorn, 0) << "a reader saw a torn, empty or shrunk file";
    EXPECT_EQ(Favourites(), favourites);
    test::Text userZones;
    for (const test::Text &line : test::FileLines(dir, "TZ_UserDef.ini")) userZones += line;
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kAdditions; ++k)
            EXPECT_NE(userZones.find(test::Widen(ZoneName(w, k))), test::Text::npos) << ZoneName(w, k) << " lost";
    }
    const auto [mixesRefused, mixesTorn] = RunWhileReading(how, mixers, false);
    EXPECT_EQ(mixesRefused, 0);
    EXPECT_EQ(mixesTorn, 0) << "a reader saw a torn or empty file";
    EXPECT_EQ(Favourites(), favourites) << "each mixer's last removal stands, every addition before it too";
}

TEST(ConcurrentRewrites, ProcessesLoseNothingAndNeverTearAFile) { ExpectNothingLostOrTorn(Writers::Processes); }

// The lock keeps threads of one process apart as it keeps processes apart
// (run under ThreadSanitizer by scripts/test.sh).
TEST(ConcurrentRewrites, ThreadsLoseNothingAndNeverTearAFile) { ExpectNothingLostOrTorn(Writers::Threads); }

}  // namespace
}  // namespace kelvane
