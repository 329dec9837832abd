// Whether writers waiting for the data directory's lock take turns: six
// writer processes rewrite the favourites as fast as they can while two
// readers read them, for 30 seconds (or the seconds given). A writer kept
// from the lock for its five seconds gets 1002; with fair waiting none does.
// Prints, per writer, its rewrites, its refusals and its longest wait.
//
//   cmake --build build --target kelvane_lock_fairness && build/benchmarks/kelvane_lock_fairness [seconds]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "platform/platform.h"
#include "platform/simulated_device.h"

namespace {
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
constexpr int kWriters = 6, kReaders = 2;

struct Tally {
    long rewrites = 0, refused = 0, otherFailures = 0;
    double longestMs = 0;
};

Tally Write(int writer, Clock::time_point end) {
    Tally tally;
    const uint16_t zone = static_cast<uint16_t>(40 + writer);
    for (bool add = true; Clock::now() < end; add = !add) {
        const auto start = Clock::now();
        const uint32_t result = add ? AddTZFrequency(1, &zone) : DeleteTZFrequency(1, &zone);
        tally.longestMs = std::max(tally.longestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (result == TZ_OK) ++tally.rewrites;
        else if (result == TZ_ERR_WRITE) ++tally.refused;
        else ++tally.otherFailures;
    }
    return tally;
}

long Read(Clock::time_point end) {
    long reads = 0;
    uint16_t ids[TZ_MAX_ZONES];
    while (Clock::now() < end) {
        uint16_t count = TZ_MAX_ZONES, users = TZ_MAX_ZONES;
        reads += GetTZFrequency(&count, ids, 0) == TZ_OK && GetTZCount(3, &users) == TZ_OK;
    }
    return reads;
}
}  // namespace

int main(int argc, char **argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const fs::path data = fs::temp_directory_path() / ("kelvane-lock-" + std::to_string(::getpid()));
    fs::create_directories(data);
    for (const auto &entry : fs::directory_iterator(KELVANE_SHIPPED_DATA_DIR)) fs::copy_file(entry.path(), data / entry.path().filename());
    kelvane::SimulatedDevice device((data / "host").string());
    kelvane::testing::InstallPlatform(&device);
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::vector<pid_t> children;
    for (int child = 0; child < kWriters + kReaders; ++child) {
        const pid_t pid = ::fork();
        if (pid != 0) {
            children.push_back(pid);
            continue;
        }
        std::ofstream out(data.string() + ".result-" + std::to_string(child));
        if (child < kWriters) {
            const Tally t = Write(child, end);
            out << t.rewrites << ' ' << t.refused << ' ' << t.otherFailures << ' ' << t.longestMs << '\n';
        } else {
            out << Read(end) << '\n';
        }
        out.close();
        ::_exit(0);
    }
    for (pid_t pid : children) ::waitpid(pid, nullptr, 0);
    long rewrites = 0, refused = 0, reads = 0;
    for (int child = 0; child < kWriters + kReaders; ++child) {
        const std::string name = data.string() + ".result-" + std::to_string(child);
        std::ifstream in(name);
        if (child < kWriters) {
            Tally t;
            in >> t.rewrites >> t.refused >> t.otherFailures >> t.longestMs;
            std::printf("writer %d: %ld rewrites, %ld refused (1002), %ld other failures, longest call %.0f ms\n", child,
                        t.rewrites, t.refused, t.otherFailures, t.longestMs);
            rewrites += t.rewrites, refused += t.refused;
        } else {
            long r = 0;
            in >> r;
            reads += r;
        }
        fs::remove(name);
    }
    fs::remove_all(data);
    std::printf("%d writers, %d readers, %d s: %ld rewrites, %ld refused (1002), %ld reads\n", kWriters, kReaders,
                seconds, rewrites, refused, reads);
    return refused == 0 ? 0 : 1;
}
