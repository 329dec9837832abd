// The writer in two steps: all memory taken by Prepare, none by Write.
#include <gtest/gtest.h>

#include "platform/memory.h"
#include "record/data_writer.h"
#include "support/data_dir.h"

namespace kelvane {
namespace {
using test::DataDir;
using test::Utf16Bytes;

TEST(DataFileWriter, WritesWithoutMemoryOfItsOwnOncePrepared) {
    DataDir dir;
    const TZChar *lines[] = {u"a\r\n", u"b"};
    DataFileWriter writer;
    ASSERT_EQ(writer.Prepare(), Result::Ok);
    testing::ResetAllocationCount();
    ASSERT_EQ(writer.Write(u"X.ini", 2, lines), Result::Ok);
    EXPECT_EQ(testing::AllocationCount(), 0u);
    EXPECT_EQ(dir.ReadBytes("X.ini"), Utf16Bytes(u"a\r\nb"));
}

TEST(DataFileWriter, AnUnpreparedWriterWritesNothing) {
    DataDir dir;
    const TZChar *lines[] = {u"a\r\n"};
    DataFileWriter writer;
    EXPECT_EQ(writer.Write(u"X.ini", 1, lines), Result::NoMemory);
    testing::FailAllocationAfter(2);
    EXPECT_EQ(writer.Prepare(), Result::NoMemory);
    testing::FailAllocationAfter(0);
    EXPECT_EQ(writer.Write(u"X.ini", 1, lines), Result::NoMemory);
    EXPECT_FALSE(dir.Exists("X.ini"));
    EXPECT_EQ(writer.Write(nullptr, 1, lines), Result::Param);
}

}  // namespace
}  // namespace kelvane
