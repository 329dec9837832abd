// The bounded copies wcsncpy_sc and SubStr_sc: cut to capacity - 1, always
// terminated, nothing written past the terminator or on refusal.
#include <gtest/gtest.h>

#include <string>

#include "Kelvane.h"

namespace {
using Text = std::u16string;

TEST(BoundedCopy, CopiesWithinCapacityAndRefusesNoRoom) {
    struct Case {
        const char *name;
        bool range;  // SubStr_sc, else wcsncpy_sc
        Text source;
        uint16_t start, end, capacity;
        const char16_t *expected;  // nullptr: refused
    };
    const Case cases[] = {
        {"fits", false, u"Beijing", 0, 0, 8, u"Beijing"},
        {"cut to capacity - 1", false, u"Beijing", 0, 0, 7, u"Beijin"},
        {"capacity 1 refused", false, u"Beijing", 0, 0, 1, nullptr},
        {"capacity 0 refused", false, u"Beijing", 0, 0, 0, nullptr},
        {"empty source", false, u"", 0, 0, 2, u""},
        {"head", true, u"Shanghai", 0, 4, 32, u"Shang"},
        {"single character", true, u"Shanghai", 4, 4, 32, u"g"},
        {"end past the source", true, u"Shanghai", 5, 20, 32, u"hai"},
        {"end 0 means whole", true, u"Shanghai", 0, 0, 32, u"Shanghai"},
        {"end below start refused", true, u"Shanghai", 3, 1, 32, nullptr},
        {"start past the source", true, u"Shanghai", 8, 9, 32, u""},
        {"cut by capacity", true, u"Shanghai", 0, 7, 4, u"Sha"},
        {"range of an empty source", true, u"", 0, 3, 32, u""},
        {"range into capacity 1 refused", true, u"Shanghai", 0, 3, 1, nullptr},
    };
    for (const Case &c : cases) {
        TZChar buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        const TZChar *result = c.range ? SubStr_sc(buffer, c.source.c_str(), c.start, c.end, c.capacity)
                                       : wcsncpy_sc(buffer, c.source.c_str(), c.capacity);
        const Text written = c.expected ? Text(c.expected) + u'\0' : Text();
        EXPECT_EQ(result, c.expected ? buffer : nullptr) << c.name;
        EXPECT_EQ(Text(buffer, 32), written + Text(32 - written.size(), u'#')) << c.name;
    }
    TZChar buffer[4];
    EXPECT_EQ(wcsncpy_sc(nullptr, u"a", 4), nullptr);
    EXPECT_EQ(wcsncpy_sc(buffer, nullptr, 4), nullptr);
}

}  // namespace
