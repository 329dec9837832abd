#include "record/data_writer.h"

#include <gtest/gtest.h>

#include "platform/memory.h"
#include "platform/platform.h"
#include "record/data_path.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
using test::Utf16Bytes;

TEST(DataPath, LiesBesideTheHostExecutableOrIsRefused) {
    const std::tuple<std::string, Result, Text> cases[] = {
#if defined(_WIN32)
        {"C:\\Apps\\Clock\\host.exe", Result::Ok, L"C:\\Apps\\Clock\\TZ_UserDef.ini"},
        {"\\Windows\\host.exe", Result::Ok, L"\\Windows\\TZ_UserDef.ini"},
        {"C:\\" + std::string(4080, 'd') + "\\host.exe", Result::File, L""},  // would not fit
#else
        {"/opt/kelvane/bin/host", Result::Ok, KT("/opt/kelvane/bin/TZ_UserDef.ini")},
        {"/host", Result::Ok, KT("/TZ_UserDef.ini")},
        // A backslash is part of a POSIX name, never turned into a separator.
        {"/tmp/a\\b/host", Result::Ok, KT("/tmp/a\\b/TZ_UserDef.ini")},
        {"/" + std::string(4080, 'd') + "/host", Result::File, KT("")},  // would not fit
#endif
    };
    for (const auto &[module, result, expected] : cases) {
        SimulatedDevice device(module);
        testing::InstallPlatform(&device);
        TZChar path[kPathUnits] = {};
        EXPECT_EQ(BuildDataFilePath(KT("TZ_UserDef.ini"), path), result) << module.size();
        if (result == Result::Ok) {
            EXPECT_EQ(Text(path), expected);
        }
        testing::InstallPlatform(nullptr);
    }
}

TEST(WriteDataFile, WritesTheLinesAsGiven) {
    DataDir dir;
    dir.WriteBytes("X.ini", "old contents");
    const TZChar *lines[] = {KT("line one\r\n"), KT(""), KT("last without end")};
    EXPECT_EQ(WriteDataFile(test::HeldLock(), KT("X.ini"), 0, lines), Result::Param);
    EXPECT_EQ(WriteDataFile(test::HeldLock(), nullptr, 1, lines), Result::Param);
    EXPECT_EQ(WriteDataFile(test::HeldLock(), KT("X.ini"), 1, nullptr), Result::Param);
    ASSERT_EQ(WriteDataFile(test::HeldLock(), KT("X.ini"), 3, lines), Result::Ok);
    EXPECT_EQ(dir.Snapshot(), (std::map<std::string, std::string>{{"X.ini", Utf16Bytes(KT("line one\r\nlast without end"))}}))
        << "no temporary left";
}

// All memory is taken by Prepare, none by Write.
TEST(DataFileWriter, WritesWithoutMemoryOfItsOwnOncePrepared) {
    DataDir dir;
    const TZChar *lines[] = {KT("a\r\n"), KT("b")};
    DataFileWriter unprepared, failed, prepared;
    EXPECT_EQ(unprepared.Write(test::HeldLock(), KT("X.ini"), 2, lines), Result::NoMemory);
    testing::FailAllocationAfter(2);
    EXPECT_EQ(failed.Prepare(), Result::NoMemory);
    testing::FailAllocationAfter(0);
    EXPECT_EQ(failed.Write(test::HeldLock(), KT("X.ini"), 2, lines), Result::NoMemory);
    EXPECT_FALSE(dir.Exists("X.ini"));
    ASSERT_EQ(prepared.Prepare(), Result::Ok);
    const test::HeldLock lock;
    EXPECT_EQ(prepared.Write(lock, nullptr, 2, lines), Result::Param);
    EXPECT_EQ(prepared.Write(DataDirectoryLock(), KT("X.ini"), 2, lines), Result::Write) << "only under the lock";
    testing::ResetAllocationCount();
    ASSERT_EQ(prepared.Write(lock, KT("X.ini"), 2, lines), Result::Ok);
    EXPECT_EQ(testing::AllocationCount(), 0u);
    EXPECT_EQ(dir.ReadBytes("X.ini"), Utf16Bytes(KT("a\r\nb")));
}

TEST(Banner, IsSixteenFramedCommentLines) {
    LineList lines;
    ASSERT_EQ(lines.Allocate(), Result::Ok);
    AppendBanner(lines);
    ASSERT_EQ(lines.Count(), 16);
    const Text star = KT(";/") + Text(73, KT('*')) + KT("/\r\n"), blank = KT(";/*") + Text(71, KT(' ')) + KT("*/\r\n");
    std::string kinds;  // Star, Blank, Notice within the frame, Empty, Dashes
    for (int i = 0; i < 16; ++i) {
        const Text l(lines.Lines()[i]);
        const bool notice = l.size() == blank.size() && l.starts_with(KT(";/* ")) && l.ends_with(KT(" */\r\n"));
        const bool dashes = l == KT(";") + Text(109, KT('-')) + KT("\r\n");
        kinds += l == star ? 'S' : l == blank ? 'B' : notice ? 'N' : l == KT("\r\n") ? 'E' : dashes ? 'D' : '?';
    }
    EXPECT_EQ(kinds, "SBNNBNNNNNNNBSED");
}

// The formats themselves are pinned by the byte-exact catalogue, settings and frequency files.
TEST(LineBuilder, CutsALineAt254Units) {
    LineList lines;
    ASSERT_EQ(lines.Allocate(), Result::Ok);
    lines.Add().Text(Text(300, KT('x'))).Unit(KT('y'));
    EXPECT_EQ(Text(lines.Lines()[0]), Text(254, KT('x')));
}

}  // namespace
}  // namespace kelvane
