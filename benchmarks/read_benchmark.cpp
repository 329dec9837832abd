// What every read export and the common write cycles cost, next to the two
// floors of each call measured in the same run: opening, reading and closing
// exactly the files it reads (the I/O floor), and that plus one plain pass
// over their bytes finding the line feeds (the scan floor). The engine keeps
// nothing between calls, so the floors are what a call cannot avoid.
//
// Each call runs over two copies of a data directory: the shipped data/ and
// one at the engine's limits (150 system zones, 50 user zones, 30 languages),
// made by make_full_data.py when the benchmarks are built. Counters per call:
// read_us and scan_us (the floors, in microseconds), x_read and x_scan (the
// call's time over each floor), heap_B and allocs (heap use of one call,
// engine and simulated device together).
//
//   cmake --build build --target kelvane_benchmarks && build/benchmarks/kelvane_benchmarks
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "platform/platform.h"
#include "platform/simulated_device.h"

// Heap use of the process, counted while a call is measured. The engine's
// allocator and the simulated device's strings both end in malloc.
namespace {
std::atomic<bool> countingHeap{false};
std::atomic<std::uint64_t> heapBytes{0}, heapBlocks{0};
void NoteBlock(std::size_t bytes) noexcept {
    if (!countingHeap.load(std::memory_order_relaxed)) return;
    heapBytes += bytes;
    ++heapBlocks;
}
}  // namespace

extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *malloc(std::size_t bytes) {
    NoteBlock(bytes);
    return __libc_malloc(bytes);
}
void *calloc(std::size_t count, std::size_t size) {
    NoteBlock(count * size);
    return __libc_calloc(count, size);
}
void *realloc(void *block, std::size_t bytes) {
    NoteBlock(bytes);
    return __libc_realloc(block, bytes);
}
}

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A copy of a data directory with the simulated device installed over it, so
// the write cycles leave the sources alone.
class BenchDir {
public:
    explicit BenchDir(const fs::path &source)
        : path_(fs::temp_directory_path() / ("kelvane-bench-" + source.filename().string() + "-" +
                                              std::to_string(::getpid()))),
          device_((path_ / "host").string()) {
        fs::remove_all(path_);
        fs::copy(source, path_, fs::copy_options::recursive);
    }
    ~BenchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    void Install() { kelvane::testing::InstallPlatform(&device_); }
    const fs::path &Path() const { return path_; }

private:
    fs::path path_;
    kelvane::SimulatedDevice device_;
};

// Floor 1: the files' bytes, each file opened, read whole and closed.
std::size_t ReadWhole(const fs::path &file, std::vector<unsigned char> &bytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t n = 0;
    for (ssize_t got; (got = ::read(fd, bytes.data() + n, bytes.size() - n)) > 0;) n += static_cast<std::size_t>(got);
    ::close(fd);
    return n;
}

// Floor 2: the same, then one plain pass over the bytes that finds each
// line's end, a unit at a time: the least any reader of the lines does.
template <typename Unit>
std::size_t ScanLines(const Unit *text, std::size_t length) {
    std::size_t lines = 0, start = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] != Unit('\n')) continue;
        benchmark::DoNotOptimize(text + start);  // the line [start, i] is found
        start = i + 1;
        ++lines;
    }
    return lines;
}

std::size_t ScanFile(const fs::path &file, std::vector<unsigned char> &bytes) {
    const std::size_t n = ReadWhole(file, bytes);
    if (file.filename() == "device.ini") return ScanLines(reinterpret_cast<const char *>(bytes.data()), n);
    return ScanLines(reinterpret_cast<const char16_t *>(bytes.data()), n / 2);
}

// Microseconds per round of floor over files.
double FloorMicros(const fs::path &dir, const std::vector<std::string> &files, bool scan, std::int64_t rounds) {
    std::vector<unsigned char> bytes(1 << 20);
    const auto start = Clock::now();
    for (std::int64_t r = 0; r < rounds; ++r) {
        for (const std::string &name : files)
            benchmark::DoNotOptimize(scan ? ScanFile(dir / name, bytes) : ReadWhole(dir / name, bytes));
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / static_cast<double>(rounds);
}

struct Call {
    std::string name;
    std::vector<std::string> files;  // every file the call reads, once each
    std::function<void()> run;
};

// Every language's description file of the full directory, as Lang_Def.ini lists them.
std::vector<std::string> DescriptionFiles() {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(KELVANE_FULL_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("TZ_Desc_")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Caller rooms big enough for any list.
struct Rooms {
    std::vector<std::vector<TZChar>> texts[3];
    std::vector<TZChar *> pointers[3];
    Rooms() {
        for (int k = 0; k < 3; ++k) {
            texts[k].assign(TZ_MAX_ZONES, std::vector<TZChar>(128));
            for (auto &t : texts[k]) pointers[k].push_back(t.data());
        }
    }
};

std::vector<Call> ReadCalls() {
    static Rooms rooms;
    static std::uint16_t ids[TZ_MAX_ZONES], langIds[TZ_MAX_LANGUAGES];
    static TZInfo infos[TZ_MAX_ZONES];
    static TZDesc descs[TZ_MAX_ZONES];
    static std::uint32_t values[TZ_MAX_ZONES];
    static const std::uint16_t someIds[] = {20, 49, 75, 120, 139};
    static const SYSTEMTIME july{2026, 7, 0, 1, 12, 0, 0, 0};
    const std::string def = "TZ_Def.ini", user = "TZ_UserDef.ini", lang = "Lang_Def.ini", desc = "TZ_Desc_1033.ini",
                      set = "TZ_Set.ini", freq = "TZ_Frequency.ini", device = "device.ini";
    std::vector<std::string> allLanguages = {user, lang};
    for (const std::string &name : DescriptionFiles()) allLanguages.push_back(name);
    return {
        {"GetTZInfoByID/1", {user, def}, [] { GetTZInfoByID(someIds + 2, 1, infos); }},
        {"GetTZInfoByID/5", {user, def}, [] { GetTZInfoByID(someIds, 5, infos); }},
        {"GetTZCount/1", {def, user}, [] { std::uint16_t n = TZ_MAX_ZONES; GetTZCount(1, &n); }},
        {"GetTZDltType/5", {def, user}, [] { GetTZDltType(someIds, 5, values); }},
        {"GetLocalTZID", {set}, [] { GetLocalTZID(ids); }},
        {"GetDeaultTZID", {set}, [] { GetDeaultTZID(ids); }},
        {"GetTZFrequency/check", {freq, def, user}, [] { std::uint16_t n = TZ_MAX_ZONES; GetTZFrequency(&n, ids, 1); }},
        {"GetTZFrequencyState/5", {freq}, [] { GetTZFrequencyState(5, someIds, values); }},
        {"GetTZDescByID/5", {user, device, lang, desc}, [] { GetTZDescByID(someIds, 5, descs); }},
        {"GetTZAllLanguageDescByID", allLanguages,
         [] { std::uint16_t n = 0; GetTZAllLanguageDescByID(75, &n, langIds, descs); }},
        {"GetSelectTZInfo/Europe", {"TZ_Zone.ini", user, def, device, lang, desc},
         [] { std::uint16_t n = 0; GetSelectTZInfo(&n, u"Europe", ids, rooms.pointers[0].data(), rooms.pointers[1].data(), 1); }},
        {"GetAllTZInfo/1", {def, user, device, lang, desc},
         [] { std::uint32_t n = 0; GetAllTZInfo(&n, ids, rooms.pointers[0].data(), 1); }},
        {"GetSelectTZOffsetInfo/126", {"TZ_CityZoneNum.ini"},
         [] {
             std::uint16_t n = TZ_MAX_ZONES;
             GetSelectTZOffsetInfo(126, &n, rooms.pointers[0].data(), rooms.pointers[1].data(), rooms.pointers[2].data());
         }},
        {"SearchTZbyName/C", {def}, [] { std::uint16_t n = 0; SearchTZbyName(u"C", &n, ids, rooms.pointers[0].data()); }},
        {"QueryTZDltStateByDate", {user, def}, [] { QueryTZDltStateByDate(21, &july, values); }},
        {"GetTZOffset", {set, device, user, def}, [] { benchmark::DoNotOptimize(GetTZOffset(21, 119, 0)); }},
        {"GetTZDaylightTime", {device}, [] { GetTZDaylightTime(values); }},
    };
}

// The identifier AddTZ gives next: a full user catalogue first loses its last zone.
std::uint16_t freeUserId = 0;
void PrepareUserSlot() {
    std::uint16_t n = TZ_MAX_ZONES;
    GetTZCount(3, &n);
    freeUserId = static_cast<std::uint16_t>(10000 + (n < TZ_MAX_USER_ZONES ? n : TZ_MAX_USER_ZONES - 1));
    if (n == TZ_MAX_USER_ZONES) DeleteTZ(1, &freeUserId);
}

std::vector<Call> WriteCycles() {
    static TZInfo mine = [] {
        TZInfo z{};
        z.Offset = -330;
        z.InFrequency = 0;
        const char16_t name[] = u"Bench$zone";
        for (std::size_t i = 0; i < sizeof name / 2; ++i) z.Detail[i] = name[i];
        return z;
    }();
    return {
        {"cycle/AddTZFrequency+DeleteTZFrequency", {}, [] {
             const std::uint16_t id = 139;
             AddTZFrequency(1, &id);
             DeleteTZFrequency(1, &id);
         }},
        {"cycle/AddTZ+DeleteTZ", {}, [] {
             AddTZ(&mine);  // takes the lowest free identifier, the one PrepareUserSlot left free
             DeleteTZ(1, &freeUserId);
         }},
        {"cycle/ChangeTZ", {}, [] {
             ChangeTZ(20, 1);
             ChangeTZ(49, 1);
         }},
    };
}

void Measure(benchmark::State &state, BenchDir *dir, const Call *call) {
    dir->Install();
    if (call->name.starts_with("cycle/AddTZ")) PrepareUserSlot();
    call->run();  // warm the page cache
    countingHeap = true;
    heapBytes = 0;
    heapBlocks = 0;
    call->run();
    countingHeap = false;
    state.counters["heap_B"] = static_cast<double>(heapBytes);
    state.counters["allocs"] = static_cast<double>(heapBlocks);

    const auto start = Clock::now();
    for (auto _ : state) call->run();
    const double callMicros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                              static_cast<double>(state.iterations());
    kelvane::testing::InstallPlatform(nullptr);
    if (call->files.empty()) return;
    const std::int64_t rounds = std::max<std::int64_t>(state.iterations(), 200);
    const double readFloor = FloorMicros(dir->Path(), call->files, false, rounds);
    const double scanFloor = FloorMicros(dir->Path(), call->files, true, rounds);
    state.counters["read_us"] = readFloor;
    state.counters["scan_us"] = scanFloor;
    state.counters["x_read"] = callMicros / readFloor;
    state.counters["x_scan"] = callMicros / scanFloor;
}
}  // namespace

// For instruction counts under callgrind: --repeat call|read|scan NAME N runs
// the call NAME (or one of its floors) N times over the full directory.
int Repeat(const std::vector<Call> &calls, const std::string &what, const std::string &name, int times) {
    BenchDir full(KELVANE_FULL_DATA_DIR);
    for (const Call &call : calls) {
        if (call.name != name) continue;
        full.Install();
        if (name.starts_with("cycle/AddTZ")) PrepareUserSlot();
        if (what == "call")
            for (int i = 0; i < times; ++i) call.run();
        else
            FloorMicros(full.Path(), call.files, what == "scan", times);
        kelvane::testing::InstallPlatform(nullptr);
        return 0;
    }
    std::fprintf(stderr, "no call named %s\n", name.c_str());
    return 2;
}

int main(int argc, char **argv) {
    static const std::vector<Call> reads = ReadCalls(), cycles = WriteCycles();
    if (argc == 5 && std::string(argv[1]) == "--repeat") {
        std::vector<Call> all = reads;
        all.insert(all.end(), cycles.begin(), cycles.end());
        return Repeat(all, argv[2], argv[3], std::atoi(argv[4]));
    }
    benchmark::Initialize(&argc, argv);
    static BenchDir full(KELVANE_FULL_DATA_DIR), shipped(KELVANE_SHIPPED_DATA_DIR);
    for (auto [dir, label] : {std::pair{&full, "full"}, std::pair{&shipped, "shipped"}}) {
        for (const auto *calls : {&reads, &cycles}) {
            for (const Call &call : *calls)
                benchmark::RegisterBenchmark((call.name + "/" + label).c_str(), Measure, dir, &call)
                    ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
