// Every allocation of a call is made to fail in turn: the call must return
// its documented code, release everything and leave the data files alone.
#include <gtest/gtest.h>

#include <set>

#include "Kelvane.h"
#include "record/data_writer.h"
#include "settings/settings_file.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::SweepAllocationFailures;
using test::ZoneLine;
using test::ZoneText;

const std::set<uint32_t> kMemoryCodes = {TZ_ERR_NO_MEMORY, TZ_ERR_PARSER};

void WriteSmallCatalogue(const DataDir &dir) {
    dir.WriteLines("TZ_Def.ini", {ZoneText(ZoneLine{.id = 33, .offset = -480})});
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10000, .type = 3, .detail = "Mine"})});
    dir.WriteLines("TZ_Set.ini", {KT("33 1 2052 33 0x0804")});
}

TEST(AllocationFailure, ReadersReportMemoryAndChangeNothing) {
    DataDir dir;
    WriteSmallCatalogue(dir);
    const auto before = dir.Snapshot();
    const uint16_t ids[] = {33, 10000};
    TZInfo infos[2];
    TZSetting setting{};
    uint16_t zone = 0, count = 200;
    uint32_t types[2];
    const std::function<uint32_t()> operations[] = {
        [&] { return GetTZInfoByID(ids, 2, infos); },
        [&] { return Code(ReadTZSetting(&setting)); },
        [&] { return GetLocalTZID(&zone); },
        [&] { count = 200; return GetTZCount(1, &count); },
        [&] { return GetTZDltType(ids, 2, types); },
    };
    for (const auto &operation : operations) {
        ASSERT_EQ(operation(), TZ_OK);
        int failures = 0;
        SweepAllocationFailures(operation, [&](uint32_t result, uint64_t n) {
            ++failures;
            EXPECT_TRUE(kMemoryCodes.count(result)) << "allocation " << n << " gave " << result;
        });
        EXPECT_GT(failures, 0);
        EXPECT_EQ(dir.Snapshot(), before);
    }
}

TEST(AllocationFailure, WritersLeaveTheOldFile) {
    DataDir dir;
    WriteSmallCatalogue(dir);
    const TZSetting setting{12, 0, 1033, 12};
    const TZChar *lines[] = {KT("a\r\n")};
    const std::function<uint32_t()> operations[] = {
        [&] { return Code(WriteTZSetting(&setting)); },
        [&] { return Code(WriteDataFile(KT("TZ_Set.ini"), 1, lines)); },
    };
    for (const auto &operation : operations) {
        const auto before = dir.Snapshot();
        int failures = 0;
        SweepAllocationFailures(operation, [&](uint32_t result, uint64_t n) {
            ++failures;
            EXPECT_EQ(result, TZ_ERR_NO_MEMORY) << "allocation " << n;
            EXPECT_EQ(dir.Snapshot(), before) << "allocation " << n;
        });
        EXPECT_GT(failures, 0);
    }
}

TEST(AllocationFailure, ParserFailureOutranksBufferFailure) {
    DataDir dir;
    WriteSmallCatalogue(dir);
    // The reader allocates its path and read buffers, then the parser's record
    // and storage: failing the parser gives 2001, a buffer alone 1004.
    const uint16_t id = 33;
    TZInfo info;
    std::vector<uint32_t> results;
    SweepAllocationFailures([&] { return GetTZInfoByID(&id, 1, &info); },
                            [&](uint32_t result, uint64_t) { results.push_back(result); });
    EXPECT_EQ(results, (std::vector<uint32_t>{TZ_ERR_NO_MEMORY, TZ_ERR_NO_MEMORY, TZ_ERR_NO_MEMORY, TZ_ERR_PARSER,
                                              TZ_ERR_PARSER}));
}

}  // namespace
}  // namespace kelvane
