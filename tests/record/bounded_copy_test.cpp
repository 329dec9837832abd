#include <gtest/gtest.h>

#include <string>

#include "Kelvane.h"

namespace {
using Text = std::u16string;
constexpr TZChar kSentinel = u'#';

struct CopyCase {
    const char *name;
    Text source;
    uint16_t start, end, capacity;
    bool refused;
    Text expected;
};

// Runs the copy into a buffer of sentinels and checks nothing past the terminator changed.
void ExpectCopy(const CopyCase &c, bool substring) {
    TZChar buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), kSentinel);
    const TZChar *result = substring ? SubStr_sc(buffer, c.source.c_str(), c.start, c.end, c.capacity)
                                     : wcsncpy_sc(buffer, c.source.c_str(), c.capacity);
    if (c.refused) {
        EXPECT_EQ(result, nullptr) << c.name;
        EXPECT_EQ(buffer[0], kSentinel) << c.name << ": a refused copy writes nothing";
        return;
    }
    ASSERT_EQ(result, buffer) << c.name;
    EXPECT_EQ(Text(buffer), c.expected) << c.name;
    for (std::size_t i = c.expected.size() + 1; i < 32; ++i) ASSERT_EQ(buffer[i], kSentinel) << c.name;
}

TEST(BoundedCopy, CopiesWholeStringsWithinCapacity) {
    const CopyCase cases[] = {
        {"fits", u"Beijing", 0, 0, 8, false, u"Beijing"},
        {"cut to capacity - 1", u"Beijing", 0, 0, 5, false, u"Beij"},
        {"capacity 1 refused", u"Beijing", 0, 0, 1, true, u""},
        {"capacity 0 refused", u"Beijing", 0, 0, 0, true, u""},
        {"empty source", u"", 0, 0, 2, false, u""},
        {"capacity equal to length", u"Beijing", 0, 0, 7, false, u"Beijin"},
    };
    for (const CopyCase &c : cases) ExpectCopy(c, false);
    TZChar buffer[4];
    EXPECT_EQ(wcsncpy_sc(nullptr, u"a", 4), nullptr);
    EXPECT_EQ(wcsncpy_sc(buffer, nullptr, 4), nullptr);
}

TEST(BoundedCopy, CopiesRangesWithinCapacity) {
    const CopyCase cases[] = {
        {"head", u"Shanghai", 0, 4, 32, false, u"Shang"},
        {"tail", u"Shanghai", 5, 7, 32, false, u"hai"},
        {"end past the source", u"Shanghai", 5, 20, 32, false, u"hai"},
        {"end 0 means whole", u"Shanghai", 0, 0, 32, false, u"Shanghai"},
        {"end below start refused", u"Shanghai", 3, 1, 32, true, u""},
        {"start past the source", u"Shanghai", 8, 9, 32, false, u""},
        {"cut by capacity", u"Shanghai", 0, 7, 4, false, u"Sha"},
        {"middle", u"Shanghai", 2, 3, 32, false, u"an"},
        {"single character", u"Shanghai", 4, 4, 32, false, u"g"},
        {"empty source", u"", 0, 3, 32, false, u""},
        {"capacity 1 refused", u"Shanghai", 0, 3, 1, true, u""},
    };
    for (const CopyCase &c : cases) ExpectCopy(c, true);
}

}  // namespace
