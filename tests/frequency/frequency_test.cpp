#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "Kelvane.h"
#include "frequency/frequency_file.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/file_text.h"
#include "support/zone_ids.h"

namespace kelvane::test {
namespace {

// System zones 1 to 80; user zone 10000 (Type 3) and 10001 (Type 2: in no list).
void WriteCatalogue(const DataDir &dir) {
    std::vector<Text> system;
    for (int id = 1; id <= 80; ++id) system.push_back(ZoneText({.id = id}));
    dir.WriteLines("TZ_Def.ini", system);
    dir.WriteLines("TZ_UserDef.ini", {ZoneText({.id = 10000, .type = 3, .detail = "Mine"}),
                                      ZoneText({.id = 10001, .type = 2, .detail = "Old"})});
}

// The file as the device's formatter wrote it: banner, legend, "%5hu\t1" entries.
std::vector<Text> ExpectedFile(const Ids &ids) {
    std::vector<Text> lines = BannerLines();
    lines.insert(lines.end(), {KT(";TZID -- 时区ID\r\n"), KT(";Count -- 使用次数\r\n"), KT(";") + Text(109, KT('-')) + KT("\r\n")});
    for (uint16_t id : ids) {
        char line[16];
        std::snprintf(line, sizeof line, "%5hu\t1\r\n", id);
        lines.push_back(Widen(line));
    }
    return lines;
}

TEST(FrequencyFile, IsWrittenLineForLine) {
    DataDir dir;
    const Ids ids = {33, 7, 65535, 33};
    ASSERT_EQ(WriteTZFrequency(HeldLock(), 4, ids.data()), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile(ids));
    ASSERT_EQ(WriteTZFrequency(HeldLock(), 0, nullptr), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile({}));
    const Ids many(494, 1);
    EXPECT_EQ(WriteTZFrequency(HeldLock(), 494, many.data()), Result::Param) << "only 493 entries fit in 512 lines";
    EXPECT_EQ(WriteTZFrequency(HeldLock(), 1, nullptr), Result::Param);
}

TEST(GetTZFrequency, ReadsTheListInFileOrderAndCountsNothingOnFailure) {
    const struct { std::vector<Text> file; uint32_t check; Ids expected; } cases[] = {
        {{KT("33 1"), KT("45 1"), KT("33 1")}, 0, {33, 45, 33}},
        {{KT("33 1"), KT("450 1"), KT("10001 1"), KT("10000 1"), KT("33 1")}, 1, {33, 10000, 33}},
        {{KT("33"), KT("45 x"), KT("12\t7\tmore"), KT("65569 1"), KT("-1 1")}, 0, {45, 12, 33, 65535}},
    };
    for (const auto &c : cases) {
        DataDir dir;
        WriteCatalogue(dir);
        dir.WriteLines("TZ_Frequency.ini", c.file);
        EXPECT_EQ(StoredFrequency(c.check), c.expected) << c.file.size();
    }
    DataDir dir;
    WriteCatalogue(dir);
    WriteFrequency(dir, Range(1, 250));
    EXPECT_EQ(StoredFrequency(0), Range(1, 200)) << "a hand-edited file is read up to 200 entries";
    dir.Remove("TZ_Def.ini");
    WriteFrequency(dir, {});
    EXPECT_EQ(StoredFrequency(1), Ids{}) << "an empty list needs no catalogue";
    WriteFrequency(dir, {33});
    uint16_t ids[TZ_MAX_ZONES], count = 77;
    EXPECT_EQ(GetTZFrequency(&count, ids, 1), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    dir.Remove("TZ_Frequency.ini");
    count = 77;
    EXPECT_EQ(GetTZFrequency(&count, ids, 0), TZ_ERR_FILE);
    EXPECT_EQ(count, 77) << "a missing file leaves the count alone";
}

TEST(GetTZFrequencyState, FlagsTheZonesOnTheStoredList) {
    DataDir dir;
    WriteCatalogue(dir);
    WriteFrequency(dir, {45, 900});
    const uint16_t ids[] = {45, 7, 900};
    uint32_t flags[3] = {9, 9, 9};
    ASSERT_EQ(GetTZFrequencyState(3, ids, flags), TZ_OK);
    EXPECT_EQ(std::vector<uint32_t>(flags, flags + 3), (std::vector<uint32_t>{1, 0, 1})) << "stale entries count";
}

uint32_t Add(Ids ids) { return AddTZFrequency(static_cast<uint16_t>(ids.size()), ids.data()); }
uint32_t Delete(Ids ids) { return DeleteTZFrequency(static_cast<uint16_t>(ids.size()), ids.data()); }
uint32_t Update(Ids ids, std::vector<uint32_t> flags) {
    return UpdateTZFrequency(static_cast<uint16_t>(ids.size()), ids.data(), flags.data());
}

TEST(FrequencyMaintenance, ChangesTheListAndDropsStaleEntries) {
    struct Case {
        const char *name;
        Ids before;
        std::function<uint32_t()> change;
        uint32_t result;
        std::optional<Ids> after;  // nullopt: the file is left byte for byte
    };
    const Case cases[] = {
        {"add listed, new and twice", {33, 12}, [] { return Add({12, 45, 45}); }, TZ_OK, Ids{33, 12, 45}},
        {"48 and one more", Range(1, 48), [] { return Add({60}); }, TZ_OK, Range(1, 48, {60})},
        {"48 and two more", Range(1, 48), [] { return Add({60, 61}); }, TZ_ERR_LIST_FULL, std::nullopt},
        {"unknown zones count toward the limit", Range(1, 48), [] { return Add({999, 60}); }, TZ_ERR_LIST_FULL,
         std::nullopt},
        {"but are not stored; stale entries go", {33, 900, 10001}, [] { return Add({999, 10000}); }, TZ_OK,
         Ids{33, 10000}},
        {"delete every occurrence", {33, 12, 45, 12}, [] { return Delete({12, 7}); }, TZ_OK, Ids{33, 45}},
        {"delete nothing drops stale entries", {33, 900}, [] { return DeleteTZFrequency(0, nullptr); }, TZ_OK,
         Ids{33}},
        {"update adds then removes", {33, 12}, [] { return Update({45, 33}, {1, 0}); }, TZ_OK, Ids{12, 45}},
        {"failed additions remove nothing", Range(1, 48), [] { return Update({71, 72, 1}, {1, 1, 0}); },
         TZ_ERR_LIST_FULL, std::nullopt},
        {"300 new zones at once", {33}, [] { return Add(Range(1000, 300)); }, TZ_ERR_LIST_FULL, std::nullopt},
        {"update 201 zones", {33}, [] { return Update(Ids(201, 5), std::vector<uint32_t>(201, 1)); }, TZ_ERR_PARAM,
         std::nullopt},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteCatalogue(dir);
        WriteFrequency(dir, c.before);
        const std::string old = dir.ReadBytes("TZ_Frequency.ini");
        EXPECT_EQ(c.change(), c.result) << c.name;
        if (c.after) {
            EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile(*c.after)) << c.name;
        } else {
            EXPECT_EQ(dir.ReadBytes("TZ_Frequency.ini"), old) << c.name;
        }
    }
}

}  // namespace
}  // namespace kelvane::test
