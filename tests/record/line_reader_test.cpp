// The read loop end to end: lines as the runtime's fgetws would cut them,
// the byte-order mark, odd bytes, and the comment and minimum-field filters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/record_reader.h"
#include "support/data_dir.h"
#include "support/faulty_device.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Text;
using test::Utf16Bytes;

// The first field of every line the loop hands on.
std::vector<Text> FirstFields(std::uint16_t minFields) {
    RecordReader reader;
    EXPECT_EQ(reader.Open(), Result::Ok);
    std::vector<Text> firsts;
    EXPECT_EQ(reader.Read(KT("T.ini"), minFields, [&](const RecordLine &line) noexcept {
        firsts.emplace_back(line.Text(0));
        return true;
    }), Result::Ok);
    return firsts;
}

TEST(ReadLoop, ReadsFilesAsTheDeviceWrites) {
    struct Case {
        const char *name;
        std::string bytes;
        std::uint16_t minFields;
        std::vector<Text> firsts;
    };
    const std::vector<Case> cases = {
        {"byte-order mark before a data line", Utf16Bytes(KT("12 a\r\n")), 2, {KT("12")}},
        {"no byte-order mark", Utf16Bytes(KT("12 a\r\n"), false), 2, {KT("12")}},
        {"mark only", Utf16Bytes(KT("")), 1, {}},
        {"empty file", "", 1, {}},
        {"last line without line end", Utf16Bytes(KT("1 a\r\n2 b")), 2, {KT("1"), KT("2")}},
        {"odd trailing byte is dropped", Utf16Bytes(KT("1 a\r\n2 b")) + "\x33", 2, {KT("1"), KT("2")}},
        {"comment and short lines skipped", Utf16Bytes(KT(";1 a\r\n2\r\n\r\n3 c\r\n")), 2, {KT("3")}},
        {"comment mark after digits is data", Utf16Bytes(KT("4; a\r\n")), 2, {KT("4;")}},
        {"a second mark is ordinary text", Utf16Bytes(KT("\uFEFF5 a\r\n")), 2, {KT("\uFEFF5")}},
        {"NUL unit ends the piece", Utf16Bytes(Text(KT("6 a\0zz\r\n7 b\r\n"), 13)), 2, {KT("6"), KT("7")}},
        {"300 units: 254, then 46", Utf16Bytes(Text(300, KT('x')) + KT("\r\n"), false), 1, {Text(63, KT('x')), Text(46, KT('x'))}},
        {"255 units: the LF alone", Utf16Bytes(Text(253, KT('y')) + KT("\r\nnext\r\n"), false), 1, {Text(63, KT('y')), KT("next")}},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteBytes("T.ini", c.bytes);
        EXPECT_EQ(FirstFields(c.minFields), c.firsts) << c.name;
    }
}

TEST(ReadLoop, LinesBeyondTheReadChunkArriveWhole) {
    DataDir dir;
    std::vector<Text> lines, expected;
    for (int i = 0; i < 3000; ++i) {  // far more than one read chunk, with an odd-byte boundary
        expected.push_back(Text(KT("z")).append(static_cast<std::size_t>(i % 7), KT('q')));
        lines.push_back(expected.back() + KT(" ") + static_cast<TZChar>(KT('0') + i % 10));
    }
    dir.WriteLines("T.ini", lines);
    EXPECT_EQ(FirstFields(2), expected);
    test::FaultyDevice shortReads((dir.Path() / "host").string());
    shortReads.readLimit = 7;  // every read ends inside a unit
    testing::InstallPlatform(&shortReads);
    EXPECT_EQ(FirstFields(2), expected) << "short reads";
}

}  // namespace
}  // namespace kelvane
