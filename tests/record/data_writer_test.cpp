#include "record/data_writer.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "record/data_path.h"
#include "record/record_reader.h"
#include "support/data_dir.h"
#include "support/faulty_device.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::FaultyDevice;
using test::Text;
using test::Utf16Bytes;

class FixedModule : public FaultyDevice {
public:
    explicit FixedModule(const TZChar *module) : module_(module) {}
    std::uint32_t ModuleFileName(TZChar *buffer, std::uint32_t capacity) noexcept override {
        const std::size_t n = BoundedLength(module_, capacity);
        if (n == 0 || n >= capacity) return 0;
        CopyText(buffer, capacity, TextView(module_, n));
        return static_cast<std::uint32_t>(n);
    }

private:
    const TZChar *module_;
};

TEST(DataPath, LiesBesideTheHostExecutable) {
    struct Case {
        const TZChar *module;
        const TZChar *expected;
    };
    const Case cases[] = {
        {u"C:\\Apps\\Clock\\host.exe", u"C:\\Apps\\Clock\\TZ_Set.ini"},
        {u"\\Windows\\host.exe", u"\\Windows\\TZ_Set.ini"},
        {u"/opt/kelvane/bin/host", u"/opt/kelvane/bin\\TZ_Set.ini"},
    };
    for (const Case &c : cases) {
        FixedModule device(c.module);
        testing::InstallPlatform(&device);
        TZChar path[kPathUnits];
        EXPECT_EQ(BuildDataFilePath(u"TZ_Set.ini", path), Result::Ok);
        EXPECT_EQ(Text(path), Text(c.expected));
        testing::InstallPlatform(nullptr);
    }
}

TEST(DataPath, RefusesAPathThatWouldNotFit) {
    const Text longModule = u"C:\\" + Text(4080, u'd') + u"\\host.exe";
    FixedModule device(longModule.c_str());
    testing::InstallPlatform(&device);
    TZChar path[kPathUnits];
    EXPECT_EQ(BuildDataFilePath(u"TZ_UserDef.ini", path), Result::File);
    testing::InstallPlatform(nullptr);
}

TEST(WriteDataFile, WritesTheMarkAndTheLinesAndNothingElse) {
    DataDir dir;
    const TZChar *lines[] = {u"first\r\n", u"", u"last without end"};
    EXPECT_EQ(WriteDataFile(u"X.ini", 3, lines), Result::Ok);
    EXPECT_EQ(dir.ReadBytes("X.ini"), Utf16Bytes(u"first\r\nlast without end"));
    EXPECT_FALSE(dir.Exists("X.ini.new"));
}

TEST(WriteDataFile, RefusesMissingArgumentsWithoutTouchingTheFile) {
    DataDir dir;
    dir.WriteBytes("X.ini", "old");
    const TZChar *lines[] = {u"a\r\n"};
    EXPECT_EQ(WriteDataFile(u"X.ini", 0, lines), Result::Param);
    EXPECT_EQ(WriteDataFile(nullptr, 1, lines), Result::Param);
    EXPECT_EQ(WriteDataFile(u"X.ini", 1, nullptr), Result::Param);
    EXPECT_EQ(dir.ReadBytes("X.ini"), "old");
}

TEST(WriteDataFile, AFailedRewriteLeavesTheOldFileAndNoTemporary) {
    struct Case {
        const char *name;
        void (*arm)(FaultyDevice &);
        Result expected;
    };
    const Case cases[] = {
        {"cannot create", [](FaultyDevice &d) { d.failOpenForWriting = true; }, Result::File},
        {"mark fails", [](FaultyDevice &d) { d.writableBytes = 0; }, Result::Write},
        {"line fails", [](FaultyDevice &d) { d.writableBytes = 10; }, Result::Write},
        {"flush fails", [](FaultyDevice &d) { d.failFlush = true; }, Result::Write},
        {"replace fails", [](FaultyDevice &d) { d.failReplace = true; }, Result::Write},
    };
    for (const Case &c : cases) {
        DataDir dir;
        FaultyDevice device((dir.Path() / "host").string());
        testing::InstallPlatform(&device);
        dir.WriteBytes("X.ini", "old contents");
        c.arm(device);
        const TZChar *lines[] = {u"line one\r\n", u"line two\r\n"};
        EXPECT_EQ(WriteDataFile(u"X.ini", 2, lines), c.expected) << c.name;
        EXPECT_EQ(dir.ReadBytes("X.ini"), "old contents") << c.name;
        EXPECT_FALSE(dir.Exists("X.ini.new")) << c.name;
        testing::InstallPlatform(&dir.Device());
    }
}

TEST(Banner, IsSixteenLinesThatEveryReaderSkips) {
    DataDir dir;
    LineList lines;
    ASSERT_EQ(lines.Allocate(), Result::Ok);
    AppendBanner(lines);
    ASSERT_EQ(lines.Count(), 16);
    const Text star = u";/" + Text(73, u'*') + u"/\r\n";
    const Text blank = u";/*" + Text(71, u' ') + u"*/\r\n";
    EXPECT_EQ(Text(lines.Lines()[0]), star);
    EXPECT_EQ(Text(lines.Lines()[1]), blank);
    EXPECT_EQ(Text(lines.Lines()[4]), blank);
    EXPECT_EQ(Text(lines.Lines()[12]), blank);
    EXPECT_EQ(Text(lines.Lines()[13]), star);
    EXPECT_EQ(Text(lines.Lines()[14]), u"\r\n");
    EXPECT_EQ(Text(lines.Lines()[15]), u";" + Text(109, u'-') + u"\r\n");
    for (int i : {2, 3, 5, 6, 7, 8, 9, 10, 11}) {
        const Text notice(lines.Lines()[i]);
        EXPECT_EQ(notice.substr(0, 4), u";/* ") << i;
        EXPECT_EQ(notice.substr(notice.size() - 5), u" */\r\n") << i;
        EXPECT_EQ(notice.size(), blank.size()) << i;
    }
    lines.Add().Text(u"7 data");
    ASSERT_EQ(WriteDataFile(u"B.ini", lines), Result::Ok);

    RecordReader reader;
    ASSERT_EQ(reader.Open(), Result::Ok);
    std::vector<Text> seen;
    ASSERT_EQ(reader.Read(u"B.ini", 1, [&](const RecordLine &line) noexcept {
        seen.emplace_back(line.Text(0));
        return true;
    }), Result::Ok);
    EXPECT_EQ(seen, std::vector<Text>{u"7"});
}

TEST(LineBuilder, FormatsAsTheDeviceFormatterDid) {
    LineList lines;
    ASSERT_EQ(lines.Allocate(), Result::Ok);
    lines.Add().Unsigned(33, 5).Unit(u'|').Unsigned(7, 4, true).Unit(u'|').Hex(0x804, 4).Unit(u'|').Hex(0x1ABCD, 4);
    lines.Add().Signed(-480, 6).Unit(u'|').Signed(INT32_MIN).Unit(u'|').Unsigned(123456, 3);
    lines.Add().FieldText(u"New York City");
    lines.Add().FieldText(u"a\tb\r\nc");
    lines.Add().Text(Text(300, u'x'));
    EXPECT_EQ(Text(lines.Lines()[0]), u"   33|0007|0804|1ABCD");
    EXPECT_EQ(Text(lines.Lines()[1]), u"  -480|-2147483648|123456");
    EXPECT_EQ(Text(lines.Lines()[2]), u"New$York$City");
    EXPECT_EQ(Text(lines.Lines()[3]), u"a$b$$c");
    EXPECT_EQ(Text(lines.Lines()[4]), Text(254, u'x'));
}

}  // namespace
}  // namespace kelvane
