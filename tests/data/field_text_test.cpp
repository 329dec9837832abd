// Names made fit for the data files' fields: cleaned, and cut only between
// whole characters.
#include "files/field_text.h"

#include <gtest/gtest.h>

namespace kelvane::builder {
namespace {

TEST(FieldText, IsCleanedAndCutBetweenWholeCharacters) {
    EXPECT_EQ(CleanText(u"  Pacific\tTime \r\n(US)  "), u"Pacific Time (US)");
    EXPECT_EQ(CleanText(u"\t\n"), u"");
    EXPECT_EQ(CleanText(u"北美\u3000时间"), u"北美\u3000时间");    // not a field separator
    const Text face = u"ab\U0001F600cd", accent = u"Cafe\u0301s";  // a pair at 2-3; e and its acute at 3-4
    const std::tuple<Text, std::size_t, Text> cuts[] = {
        {face, 4, u"ab\U0001F600"},         {face, 3, u"ab"},         {accent, 4, u"Caf"}, {accent, 5, u"Cafe\u0301"},
        {u"New York City", 9, u"New York"}, {u"short", 63, u"short"},
    };
    for (const auto &[text, units, expected] : cuts) EXPECT_EQ(CutText(text, units), expected) << units;
    EXPECT_EQ(FieldText(Text(70, u'x')), Text(kFieldUnits, u'x'));
    Text pairs;
    for (int i = 0; i < 40; ++i) pairs += u"\U00020000";  // 80 units
    EXPECT_EQ(FieldText(pairs), pairs.substr(0, 62));     // unit 63 would split a pair
}

TEST(FitTogether, CutsTheLongestFirstUntilTheyFit) {
    Text a(60, u'a'), b(20, u'b'), c(50, u'c');
    Text *texts[] = {&a, &b, &c};
    FitTogether(texts, 3, 100);
    EXPECT_EQ(std::tuple(a.size(), b.size(), c.size()), std::tuple(40u, 20u, 40u));
}

}  // namespace
}  // namespace kelvane::builder
