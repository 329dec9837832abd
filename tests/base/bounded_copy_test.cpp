// The bounded copies wcsncpy_sc and SubStr_sc: cut to capacity - 1, always
// terminated, nothing written past the terminator or on refusal.
#include <gtest/gtest.h>

#include <string>

#include "Kelvane.h"
#include "base/text.h"

namespace {
using Text = std::basic_string<TZChar>;

TEST(BoundedCopy, CopiesWithinCapacityAndRefusesNoRoom) {
    struct Case {
        const char *name;
        bool range;  // SubStr_sc, else wcsncpy_sc
        Text source;
        uint16_t start, end, capacity;
        const TZChar *expected;  // nullptr: refused
    };
    const Case cases[] = {
        {"fits", false, KT("Beijing"), 0, 0, 8, KT("Beijing")},
        {"cut to capacity - 1", false, KT("Beijing"), 0, 0, 7, KT("Beijin")},
        {"capacity 1 refused", false, KT("Beijing"), 0, 0, 1, nullptr},
        {"capacity 0 refused", false, KT("Beijing"), 0, 0, 0, nullptr},
        {"empty source", false, KT(""), 0, 0, 2, KT("")},
        {"head", true, KT("Shanghai"), 0, 4, 32, KT("Shang")},
        {"single character", true, KT("Shanghai"), 4, 4, 32, KT("g")},
        {"end past the source", true, KT("Shanghai"), 5, 20, 32, KT("hai")},
        {"end 0 means whole", true, KT("Shanghai"), 0, 0, 32, KT("Shanghai")},
        {"end below start refused", true, KT("Shanghai"), 3, 1, 32, nullptr},
        {"start past the source", true, KT("Shanghai"), 8, 9, 32, KT("")},
        {"cut by capacity", true, KT("Shanghai"), 0, 7, 4, KT("Sha")},
        {"range of an empty source", true, KT(""), 0, 3, 32, KT("")},
        {"range into capacity 1 refused", true, KT("Shanghai"), 0, 3, 1, nullptr},
    };
    for (const Case &c : cases) {
        TZChar buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), KT('#'));
        const TZChar *result = c.range ? SubStr_sc(buffer, c.source.c_str(), c.start, c.end, c.capacity)
                                       : wcsncpy_sc(buffer, c.source.c_str(), c.capacity);
        const Text written = c.expected ? Text(c.expected) + KT('\0') : Text();
        EXPECT_EQ(result, c.expected ? buffer : nullptr) << c.name;
        EXPECT_EQ(Text(buffer, 32), written + Text(32 - written.size(), KT('#'))) << c.name;
    }
}

}  // namespace
