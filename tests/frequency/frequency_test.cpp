#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <set>
#include <vector>

#include "Kelvane.h"
#include "frequency/frequency_file.h"
#include "support/catalogue_lines.h"
#include "support/data_dir.h"
#include "support/faulty_device.h"
#include "support/file_text.h"

namespace kelvane {
namespace {
using test::BannerLines;
using test::DataDir;
using test::FaultyDevice;
using test::FileLines;
using test::Text;
using test::Widen;
using test::ZoneLine;
using test::ZoneText;

using Ids = std::vector<uint16_t>;

// System zones 1 to 80, user zone 10000 (Type 3) and 10001 (Type 2, in no list).
void WriteCatalogue(const DataDir &dir) {
    std::vector<Text> system;
    for (int id = 1; id <= 80; ++id) system.push_back(ZoneText(ZoneLine{.id = id}));
    dir.WriteLines("TZ_Def.ini", system);
    dir.WriteLines("TZ_UserDef.ini", {ZoneText(ZoneLine{.id = 10000, .type = 3, .detail = "Mine"}),
                                      ZoneText(ZoneLine{.id = 10001, .type = 2, .detail = "Old"})});
}

Text EntryLine(uint16_t id) {
    char line[16];
    std::snprintf(line, sizeof line, "%5hu\t1\r\n", id);
    return Widen(line);
}

void WriteFrequency(const DataDir &dir, const Ids &ids) {
    std::vector<Text> lines = {u";TZID -- 时区ID"};
    for (uint16_t id : ids) lines.push_back(Widen(std::to_string(id)) + u"\t1");
    dir.WriteLines("TZ_Frequency.ini", lines);
}

std::vector<Text> ExpectedFile(const Ids &ids) {
    std::vector<Text> lines = BannerLines();
    lines.push_back(u";TZID -- 时区ID\r\n");
    lines.push_back(u";Count -- 使用次数\r\n");
    lines.push_back(u";" + Text(109, u'-') + u"\r\n");
    for (uint16_t id : ids) lines.push_back(EntryLine(id));
    return lines;
}

Ids Range(int first, int count) {
    Ids ids;
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<uint16_t>(first + i));
    return ids;
}

Ids Stored(uint32_t check, uint32_t *result) {
    uint16_t ids[TZ_MAX_ZONES];
    uint16_t count = 0;
    *result = GetTZFrequency(&count, ids, check);
    return Ids(ids, ids + (*result == TZ_OK ? count : 0));
}

TEST(FrequencyFile, IsWrittenLineForLine) {
    DataDir dir;
    const Ids ids = {33, 7, 65535, 33};
    ASSERT_EQ(WriteTZFrequency(4, ids.data()), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile(ids));
    ASSERT_EQ(WriteTZFrequency(0, nullptr), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile({}));
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini").size(), 19u);
    const Ids many(494, 1);
    EXPECT_EQ(WriteTZFrequency(494, many.data()), Result::Param);
    EXPECT_EQ(WriteTZFrequency(1, nullptr), Result::Param);
    EXPECT_EQ(WriteTZFrequency(493, many.data()), Result::Ok);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini").size(), 512u);
}

TEST(GetTZFrequency, ReadsTheListInFileOrder) {
    struct Case {
        const char *name;
        std::vector<Text> file;
        uint32_t check;
        Ids expected;
    };
    const std::vector<Case> cases = {
        {"duplicates kept", {u"33 1", u"45 1", u"33 1"}, 0, {33, 45, 33}},
        {"unknown zone left out", {u"33 1", u"450 1", u"33 1"}, 1, {33, 33}},
        {"user zones count, other types do not", {u"10001 1", u"10000 1", u"2 1"}, 1, {10000, 2}},
        {"but every entry without the check", {u"10001 1", u"10000 1"}, 0, {10001, 10000}},
        {"header only", {u";TZID -- 时区ID", u";Count -- 使用次数"}, 1, {}},
        {"one field is not an entry, any second field is", {u"33", u"45 x", u"12\t7\tmore"}, 0, {45, 12}},
        {"16 bits of the identifier", {u"65569 1", u"-1 1"}, 0, {33, 65535}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        WriteCatalogue(dir);
        dir.WriteLines("TZ_Frequency.ini", c.file);
        uint32_t result = 0;
        EXPECT_EQ(Stored(c.check, &result), c.expected) << c.name;
        EXPECT_EQ(result, TZ_OK) << c.name;
    }
}

TEST(GetTZFrequency, ReadsNoMoreThan200Entries) {
    DataDir dir;
    WriteCatalogue(dir);
    WriteFrequency(dir, Range(1, 250));
    uint32_t result = 0;
    EXPECT_EQ(Stored(0, &result), Range(1, 200));
    EXPECT_EQ(Stored(1, &result), Range(1, 80));
}

TEST(GetTZFrequency, ReportsMissingFilesAndArguments) {
    DataDir dir;
    uint16_t ids[TZ_MAX_ZONES] = {};
    uint16_t count = 77;
    EXPECT_EQ(GetTZFrequency(&count, ids, 0), TZ_ERR_FILE);
    EXPECT_EQ(count, 77) << "a missing file leaves the count alone";
    WriteFrequency(dir, {});
    EXPECT_EQ(GetTZFrequency(&count, ids, 1), TZ_OK) << "an empty list needs no catalogue";
    EXPECT_EQ(count, 0);
    WriteFrequency(dir, {33});
    count = 77;
    EXPECT_EQ(GetTZFrequency(&count, ids, 1), TZ_ERR_FILE);
    EXPECT_EQ(count, 0);
    WriteCatalogue(dir);
    dir.Remove("TZ_UserDef.ini");
    EXPECT_EQ(GetTZFrequency(&count, ids, 1), TZ_ERR_FILE);
    EXPECT_EQ(GetTZFrequency(nullptr, ids, 0), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZFrequency(&count, nullptr, 0), TZ_ERR_PARAM);
}

TEST(GetTZFrequencyState, FlagsTheZonesOnTheStoredList) {
    DataDir dir;
    WriteCatalogue(dir);
    WriteFrequency(dir, {45, 900});
    const uint16_t ids[] = {45, 7, 900};
    uint32_t flags[3] = {9, 9, 9};
    ASSERT_EQ(GetTZFrequencyState(3, ids, flags), TZ_OK);
    EXPECT_EQ(std::vector<uint32_t>(flags, flags + 3), (std::vector<uint32_t>{1, 0, 1}));
    EXPECT_EQ(GetTZFrequencyState(0, ids, flags), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZFrequencyState(1, nullptr, flags), TZ_ERR_PARAM);
    EXPECT_EQ(GetTZFrequencyState(1, ids, nullptr), TZ_ERR_PARAM);
    dir.Remove("TZ_Frequency.ini");
    uint32_t kept = 9;
    EXPECT_EQ(GetTZFrequencyState(1, ids, &kept), TZ_ERR_FILE);
    EXPECT_EQ(kept, 9u);
}

struct ChangeCase {
    const char *name;
    Ids before;
    std::function<uint32_t()> change;
    uint32_t result;
    std::optional<Ids> after;  // nullopt: the file is left byte for byte
};

void RunChangeCases(const std::vector<ChangeCase> &cases) {
    for (const ChangeCase &c : cases) {
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

std::function<uint32_t()> Add(Ids ids) {
    return [ids] { return AddTZFrequency(static_cast<uint16_t>(ids.size()), ids.data()); };
}
std::function<uint32_t()> Delete(Ids ids) {
    return [ids] { return DeleteTZFrequency(static_cast<uint16_t>(ids.size()), ids.empty() ? nullptr : ids.data()); };
}
std::function<uint32_t()> Update(Ids ids, std::vector<uint32_t> flags) {
    return [ids, flags] { return UpdateTZFrequency(static_cast<uint16_t>(ids.size()), ids.data(), flags.data()); };
}

Ids With(Ids ids, const Ids &more) {
    ids.insert(ids.end(), more.begin(), more.end());
    return ids;
}

TEST(AddTZFrequency, AppendsNewZonesAtTheEnd) {
    RunChangeCases({
        {"one new zone", {33, 12}, Add({45}), TZ_OK, Ids{33, 12, 45}},
        {"a zone already listed", {33, 12}, Add({12, 45}), TZ_OK, Ids{33, 12, 45}},
        {"the same zone twice", {33, 12}, Add({45, 45}), TZ_OK, Ids{33, 12, 45}},
        {"48 and one more", Range(1, 48), Add({60}), TZ_OK, With(Range(1, 48), {60})},
        {"48 and two more", Range(1, 48), Add({60, 61}), TZ_ERR_LIST_FULL, std::nullopt},
        {"an unknown zone counts toward the limit", Range(1, 48), Add({999, 60}), TZ_ERR_LIST_FULL, std::nullopt},
        {"but is not stored", {33}, Add({999}), TZ_OK, Ids{33}},
        {"stale entries are dropped", {33, 900, 10001}, Add({10000}), TZ_OK, Ids{33, 10000}},
        {"a full list refuses even a listed zone", Range(1, 50), Add({1}), TZ_ERR_LIST_FULL, std::nullopt},
        {"no zones", {33}, Add({}), TZ_ERR_PARAM, std::nullopt},
        {"no array", {33}, [] { return AddTZFrequency(1, nullptr); }, TZ_ERR_PARAM, std::nullopt},
    });
}

TEST(DeleteTZFrequency, RemovesEveryOccurrence) {
    RunChangeCases({
        {"every occurrence", {33, 12, 45, 12}, Delete({12}), TZ_OK, Ids{33, 45}},
        {"several zones, listed or not", {33, 12, 45}, Delete({45, 7, 33}), TZ_OK, Ids{12}},
        {"nothing given drops stale entries", {33, 900, 12}, Delete({}), TZ_OK, Ids{33, 12}},
        {"no array for a count", {33}, [] { return DeleteTZFrequency(2, nullptr); }, TZ_ERR_PARAM, std::nullopt},
    });
}

TEST(UpdateTZFrequency, AddsThenRemoves) {
    RunChangeCases({
        {"add one, remove one", {33, 12}, Update({45, 33}, {1, 0}), TZ_OK, Ids{12, 45}},
        {"any nonzero flag adds", {33}, Update({12}, {0x80000000u}), TZ_OK, Ids{33, 12}},
        {"removal only", {33, 12}, Update({33}, {0}), TZ_OK, Ids{12}},
        {"failed additions remove nothing", With(Range(1, 47), {70}), Update({71, 72, 70}, {1, 1, 0}),
         TZ_ERR_LIST_FULL, std::nullopt},
        {"no zones", {33}, Update({}, {}), TZ_ERR_PARAM, std::nullopt},
        {"more than 200 zones", {33}, Update(Ids(201, 5), std::vector<uint32_t>(201, 1)), TZ_ERR_PARAM,
         std::nullopt},
        {"no flags", {33}, [] { const uint16_t id = 5; return UpdateTZFrequency(1, &id, nullptr); }, TZ_ERR_PARAM,
         std::nullopt},
    });
}

TEST(FrequencyMaintenance, NeverCreatesTheFile) {
    DataDir dir;
    WriteCatalogue(dir);
    EXPECT_EQ(Add({5})(), TZ_ERR_FILE);
    EXPECT_EQ(Delete({5})(), TZ_ERR_FILE);
    EXPECT_EQ(Update({5, 6}, {1, 0})(), TZ_ERR_FILE);
    EXPECT_FALSE(dir.Exists("TZ_Frequency.ini"));
    WriteFrequency(dir, {33});
    dir.Remove("TZ_Def.ini");
    const std::string old = dir.ReadBytes("TZ_Frequency.ini");
    EXPECT_EQ(Add({5})(), TZ_ERR_FILE);
    EXPECT_EQ(Delete({5})(), TZ_ERR_FILE);
    EXPECT_EQ(dir.ReadBytes("TZ_Frequency.ini"), old);
}

TEST(FrequencyMaintenance, AFailedRewriteKeepsTheOldList) {
    DataDir dir;
    FaultyDevice device((dir.Path() / "host").string());
    testing::InstallPlatform(&device);
    WriteCatalogue(dir);
    WriteFrequency(dir, {33, 12});
    const std::string old = dir.ReadBytes("TZ_Frequency.ini");
    device.writableBytes = 100;
    EXPECT_EQ(Add({45})(), TZ_ERR_WRITE);
    EXPECT_EQ(dir.ReadBytes("TZ_Frequency.ini"), old);
    device.writableBytes = -1;
    device.failOpenForWriting = true;
    EXPECT_EQ(Delete({33})(), TZ_ERR_FILE);
    EXPECT_EQ(dir.ReadBytes("TZ_Frequency.ini"), old);
    testing::InstallPlatform(&dir.Device());
}

TEST(FrequencyMaintenance, AllocationFailureChangesNothing) {
    DataDir dir;
    WriteCatalogue(dir);
    WriteFrequency(dir, {33, 12});
    const auto before = dir.Snapshot();
    const uint16_t ids[] = {45, 10000};
    int failures = 0;
    test::SweepAllocationFailures([&] { return AddTZFrequency(2, ids); }, [&](uint32_t result, uint64_t n) {
        ++failures;
        EXPECT_TRUE(result == TZ_ERR_NO_MEMORY || result == TZ_ERR_PARSER) << "allocation " << n << ": " << result;
        EXPECT_EQ(dir.Snapshot(), before) << "allocation " << n;
    });
    EXPECT_GT(failures, 5);
    EXPECT_EQ(FileLines(dir, "TZ_Frequency.ini"), ExpectedFile({33, 12, 45, 10000}));
}

}  // namespace
}  // namespace kelvane
