// Rewrites against each other and against SIGKILL.
//
// Crash consistency: a child loops rewrites (favourites, user zones,
// settings and the device through ChangeTZ and FixTZ) and is killed at
// random moments; afterwards every file is one of the versions the loop
// writes, the device's UTC time is unchanged, the start-up correction puts
// the zone of the settings on the platform, and the next rewrite leaves no
// temporary file behind. Concurrency: processes, then
// threads of one process, add distinct favourites and user zones while
// others read through the exports; no read fails or goes backwards, every
// addition reported as successful is there at the end, and with additions
// and removals mixed no file is ever torn.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
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
    TZInfo zone{};
    zone.Offset = -60;
    const auto wide = test::Widen(name);
    std::copy(wide.begin(), wide.end(), zone.Detail);
    return zone;
}

// One round of the crash loop: a start-up correction and every kind of
// rewrite, back where it began. Each step gives the same files from any
// state a killed round may have left, with a result it accepts: a child
// whose call gives another exits with the step's number instead of dying by
// the signal. after(), if given, runs after each step.
struct Step {
    std::function<uint32_t()> call;
    std::set<uint32_t> accepted = {TZ_OK};
};

const std::vector<Step> &RoundSteps() {
    static const uint16_t favourite = 7, user = 10000;
    static const TZInfo zone = UserZone("Mine");
    static const std::vector<Step> steps = {
        {[] { return FixTZ(); }},
        {[] { return AddTZFrequency(1, &favourite); }},
        {[] {
            uint16_t users = TZ_MAX_ZONES;
            return GetTZCount(3, &users) == TZ_OK && users == 0 ? AddTZ(&zone) : TZ_OK;
        }},
        {[] { return ChangeTZ(5, 1); }},
        {[] { return DeleteTZFrequency(1, &favourite); }},
        {[] { return DeleteTZ(1, &user); }, {TZ_OK, TZ_ERR_PARAM}},  // no user zone left to delete
        {[] { return ChangeTZ(1, 1); }},
    };
    return steps;
}

void RewriteRound(const std::function<void()> &after = [] {}) {
    for (std::size_t i = 0; i < RoundSteps().size(); ++i) {
        const Step &step = RoundSteps()[i];
        if (!step.accepted.count(step.call())) ::_exit(static_cast<int>(10 + i));
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

// The platform zone's bias is the offset of the zone TZ_Set.ini names (zone 1: -60, zone 5: 50).
void ExpectPlatformHoldsTheSettingsZone(DataDir &dir, int kill) {
    uint16_t current = 0;
    ASSERT_EQ(GetLocalTZID(&current), TZ_OK);
    TimeZoneInformation held{};
    dir.Device().GetTimeZoneInformation(&held);
    ASSERT_EQ(held.Bias, current == 1 ? -60 : current * 10) << "zone " << current << " after kill " << kill;
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
        if (child == 0) {
            for (;;) RewriteRound();
        }
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
        if (kills % 10 == 0) {  // the start-up correction, as the device runs it at boot
            ASSERT_EQ(FixTZ(), TZ_OK);
            ExpectPlatformHoldsTheSettingsZone(dir, kills);
            ASSERT_TRUE(UtcIs(dir, utc)) << "UTC moved by FixTZ after kill " << kills;
        }
    }
    ASSERT_EQ(FixTZ(), TZ_OK);  // the next rewrite
    ExpectPlatformHoldsTheSettingsZone(dir, kills);
    for (const auto &[name, bytes] : dir.Snapshot()) EXPECT_FALSE(name.ends_with(".kvtmp")) << name;
    testing::InstallPlatform(&dir.Device());
    std::printf("crash consistency: %d kills survived\n", kills);
}

// What one writer adds: user zones named after it and favourites of its own.
struct Writer {
    int index;
    std::vector<std::string> zonesAdded;
    std::vector<uint16_t> favouritesAdded;
    int refused = 0;  // 1002: the lock was kept from it for five seconds
    void Run(int additions) {
        for (int k = 0; k < additions; ++k) {
            const std::string name = std::string("W").append(std::to_string(index)) + "-" + std::to_string(k);
            const TZInfo zone = UserZone(name);
            const uint16_t favourite = static_cast<uint16_t>(index * additions + k + 1);
            const uint32_t added = AddTZ(&zone), listed = AddTZFrequency(1, &favourite);
            if (added == TZ_OK) zonesAdded.push_back(name);
            if (listed == TZ_OK) favouritesAdded.push_back(favourite);
            refused += (added != TZ_OK) + (listed != TZ_OK);
        }
    }
};

// One read through the exports: false when a file read fails or its list shrinks.
struct Reader {
    uint16_t lastFavourites = 0, lastUserZones = 0;
    int reads = 0;
    bool Read(bool additionsOnly) {
        uint16_t favourites[TZ_MAX_ZONES], count = TZ_MAX_ZONES, users = TZ_MAX_ZONES;
        if (GetTZFrequency(&count, favourites, 0) != TZ_OK || GetTZCount(3, &users) != TZ_OK) return false;
        for (uint16_t i = 0; i < count; ++i) {
            if (favourites[i] < 1 || favourites[i] > kCatalogueZones) return false;
        }
        const bool shrank = count < lastFavourites || users < lastUserZones;
        lastFavourites = count, lastUserZones = users;
        reads += 2;
        return !(additionsOnly && shrank);
    }
};

std::set<std::string> UserZoneNames() {
    std::vector<TZDesc> descs(TZ_MAX_ZONES);  // a user zone's description is its Detail
    uint16_t ids[TZ_MAX_ZONES], count = TZ_MAX_ZONES;
    std::set<std::string> names;
    if (GetTZCount(3, &count) != TZ_OK) return names;
    for (uint16_t i = 0; i < count; ++i) ids[i] = static_cast<uint16_t>(10000 + i);
    GetTZDescByID(ids, count, descs.data());
    for (uint16_t i = 0; i < count; ++i) {
        std::string name;
        for (const TZChar *c = descs[i].Desc1; *c != 0; ++c) name += static_cast<char>(*c);
        names.insert(name);
    }
    return names;
}

void ExpectEverySuccessPresent(const std::vector<Writer> &writers) {
    uint16_t favourites[TZ_MAX_ZONES], count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZFrequency(&count, favourites, 0), TZ_OK);
    const std::set<uint16_t> listed(favourites, favourites + count);
    const std::set<std::string> names = UserZoneNames();

    for (const Writer &w : writers) {
        for (const std::string &name : w.zonesAdded) EXPECT_TRUE(names.count(name)) << name << " lost";
        for (uint16_t id : w.favouritesAdded) EXPECT_TRUE(listed.count(id)) << "favourite " << id << " lost";
    }
}

constexpr int kWriters = 3, kAdditions = 8;

TEST(ConcurrentRewrites, ProcessesLoseNothingAndNeverTearAFile) {
    DataDir dir;
    WriteWorld(dir);
    const std::string results = (dir.Path() / "..").string() + "/" + dir.Path().filename().string() + "-results-";
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters + 2; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child != 0) {
            children.push_back(child);
            continue;
        }
        if (w < kWriters) {  // a writer: its successes into its result file
            Writer writer{w};
            writer.Run(kAdditions);
            std::ofstream out(results + std::to_string(w));
            for (const auto &name : writer.zonesAdded) out << "zone " << name << "\n";
            for (uint16_t id : writer.favouritesAdded) out << "favourite " << id << "\n";
            out.close();
            ::_exit(0);
        }
        Reader reader;  // a reader: until the writers are done (about as long as they take)
        const auto deadline = Clock::now() + std::chrono::seconds(8);
        while (Clock::now() < deadline) {
            if (!reader.Read(true)) ::_exit(1);
        }
        ::_exit(0);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a reader saw a torn, empty or shrunk file";
    }
    std::vector<Writer> writers(kWriters);
    int successes = 0;
    for (int w = 0; w < kWriters; ++w) {
        std::ifstream in(results + std::to_string(w));
        std::string kind, value;
        while (in >> kind >> value) {
            if (kind == "zone") writers[w].zonesAdded.push_back(value);
            else writers[w].favouritesAdded.push_back(static_cast<uint16_t>(std::stoi(value)));
            ++successes;
        }
        std::remove((results + std::to_string(w)).c_str());
    }
    EXPECT_EQ(successes, 2 * kWriters * kAdditions) << "five seconds are enough for every writer here";
    ExpectEverySuccessPresent(writers);
    std::printf("concurrency (processes): %d writers, %d successful rewrites, 2 readers for 8 s\n", kWriters,
                successes);
}

// Threads of one process: the lock keeps them apart as it keeps processes
// apart (run under ThreadSanitizer by scripts/test.sh). Additions first, then
// additions and removals mixed.
TEST(ConcurrentRewrites, ThreadsLoseNothingAndNeverTearAFile) {
    DataDir dir;
    WriteWorld(dir);
    std::vector<Writer> writers;
    for (int w = 0; w < kWriters; ++w) writers.push_back(Writer{w});
    std::atomic<bool> writing{true}, torn{false};
    std::atomic<int> reads{0};
    const auto readLoop = [&](bool additionsOnly) {
        Reader reader;
        while (writing) {
            if (!reader.Read(additionsOnly)) torn = true;
        }
        reads += reader.reads;
    };
    {
        std::vector<std::jthread> threads;
        for (Writer &w : writers) threads.emplace_back([&w] { w.Run(kAdditions); });
        std::jthread reader(readLoop, true);
        for (int w = 0; w < kWriters; ++w) threads[w].join();
        writing = false;
    }
    EXPECT_FALSE(torn);
    std::size_t added = 0, favouritesAdded = 0;
    for (const Writer &w : writers) {
        added += w.zonesAdded.size() + w.favouritesAdded.size();
        favouritesAdded += w.favouritesAdded.size();
    }
    EXPECT_EQ(added, 2u * kWriters * kAdditions) << "five seconds are enough for every writer here";
    ExpectEverySuccessPresent(writers);
    writing = true;
    std::atomic<int> mixed{0};
    {
        std::jthread reader(readLoop, false);
        std::vector<std::jthread> mixers;
        for (int w = 0; w < kWriters; ++w) {
            mixers.emplace_back([w, &mixed] {
                const uint16_t id = static_cast<uint16_t>(40 + w);
                for (int k = 0; k < 6; ++k) {
                    mixed += AddTZFrequency(1, &id) == TZ_OK;
                    mixed += DeleteTZFrequency(1, &id) == TZ_OK;
                }
            });
        }
        for (auto &m : mixers) m.join();
        writing = false;
    }
    EXPECT_FALSE(torn);
    EXPECT_EQ(mixed, kWriters * 12);
    uint16_t favourites[TZ_MAX_ZONES], count = TZ_MAX_ZONES;
    ASSERT_EQ(GetTZFrequency(&count, favourites, 0), TZ_OK);
    EXPECT_EQ(count, favouritesAdded) << "each mixer's last removal stands, every addition before it too";
    std::printf("concurrency (threads): %zu + %d successful rewrites, %d reads\n", added, mixed.load(), reads.load());
}

}  // namespace
}  // namespace kelvane
