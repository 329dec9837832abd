// How long the catalogue reads take on a full catalogue: 150 system zones and
// 50 user zones, read afresh by every call as on the device.
//
//   cmake --build build --target kelvane_benchmarks && build/benchmarks/kelvane_benchmarks
#include <benchmark/benchmark.h>

#include "Kelvane.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace {
using namespace kelvane::test;

void WriteFullCatalogue(const DataDir &dir) {
    std::vector<Text> system, user;
    for (int id = 1; id <= TZ_MAX_SYSTEM_ZONES; ++id)
        system.push_back(ZoneText(ZoneLine{.id = id, .offset = 60 * (id % 24 - 12), .stdMonth = 10, .stdDay = 5,
                                           .stdHour = 3, .dltMonth = 3, .dltDay = 5, .dltHour = 2, .dltOffset = -60,
                                           .detail = "Zone$" + std::to_string(id)}));
    for (int i = 0; i < TZ_MAX_USER_ZONES; ++i)
        user.push_back(ZoneText(ZoneLine{.id = 10000 + i, .type = 3, .detail = "Mine$" + std::to_string(i)}));
    dir.WriteLines("TZ_Def.ini", system);
    dir.WriteLines("TZ_UserDef.ini", user);
}

void LookUpOneZone(benchmark::State &state) {
    DataDir dir;
    WriteFullCatalogue(dir);
    const uint16_t id = 75;
    TZInfo info;
    for (auto _ : state) benchmark::DoNotOptimize(GetTZInfoByID(&id, 1, &info));
}
BENCHMARK(LookUpOneZone);

void CountWholeCatalogue(benchmark::State &state) {
    DataDir dir;
    WriteFullCatalogue(dir);
    for (auto _ : state) {
        uint16_t count = TZ_MAX_ZONES;
        benchmark::DoNotOptimize(GetTZCount(1, &count));
    }
}
BENCHMARK(CountWholeCatalogue);
}  // namespace

BENCHMARK_MAIN();
