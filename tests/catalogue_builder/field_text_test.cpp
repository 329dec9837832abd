// Names made fit for the data files' fields: cleaned, and cut only between
// whole characters.
#include "files/field_text.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace kelvane::builder {
namespace {

TEST(FieldText, IsCleanedAndCutBetweenWholeCharacters) {
    EXPECT_EQ(CleanText(KT("  Pacific\tTime \r\n(US)  ")), KT("Pacific Time (US)"));
    EXPECT_EQ(CleanText(KT("\t\n")), KT(""));
    EXPECT_EQ(CleanText(KT("北美\u3000时间")), KT("北美\u3000时间"));    // not a field separator
    const Text face = KT("ab\U0001F600cd"), accent = KT("Cafe\u0301s");  // a pair at 2-3; e and its acute at 3-4
    const std::tuple<Text, std::size_t, Text> cuts[] = {
        {face, 4, KT("ab\U0001F600")},         {face, 3, KT("ab")},         {accent, 4, KT("Caf")}, {accent, 5, KT("Cafe\u0301")},
        {KT("New York City"), 9, KT("New York")}, {KT("short"), 63, KT("short")},
    };
    for (const auto &[text, units, expected] : cuts) EXPECT_EQ(CutText(text, units), expected) << units;
    EXPECT_EQ(FieldText(Text(70, KT('x'))), Text(kFieldUnits, KT('x')));
    Text pairs;
    for (int i = 0; i < 40; ++i) pairs += KT("\U00020000");  // 80 units
    EXPECT_EQ(FieldText(pairs), pairs.substr(0, 62));     // unit 63 would split a pair
}

TEST(FitTogether, CutsTheLongestFirstUntilTheyFit) {
    Text a(60, KT('a')), b(20, KT('b')), c(50, KT('c'));
    Text *texts[] = {&a, &b, &c};
    FitTogether(texts, 3, 100);
    EXPECT_EQ(std::tuple(a.size(), b.size(), c.size()), std::tuple(40u, 20u, 40u));
}

}  // namespace
}  // namespace kelvane::builder
