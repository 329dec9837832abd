// Names made fit for the data files' fields: cleaned, and cut only between
// whole characters.
#include "files/field_text.h"

#include <gtest/gtest.h>

#include "files/writers.h"

namespace kelvane::builder {
namespace {

TEST(CleanText, TurnsControlsIntoSingleSpacesAndTrims) {
    EXPECT_EQ(CleanText(u"  Pacific\tTime \r\n(US)  "), u"Pacific Time (US)");
    EXPECT_EQ(CleanText(u"\t\n"), u"");
    EXPECT_EQ(CleanText(u"北美\u3000时间"), u"北美\u3000时间");  // not a field separator
}

TEST(CutText, CutsBetweenWholeCharacters) {
    const Text face = u"ab\U0001F600cd";  // a surrogate pair at units 2 and 3
    EXPECT_EQ(CutText(face, 4), u"ab\U0001F600");
    EXPECT_EQ(CutText(face, 3), u"ab");  // never half of the pair
    const Text accent = u"Cafe\u0301s";  // e and its combining acute at 3 and 4
    EXPECT_EQ(CutText(accent, 4), u"Caf");
    EXPECT_EQ(CutText(accent, 5), u"Cafe\u0301");
    EXPECT_EQ(CutText(u"New York City", 9), u"New York");  // no trailing space
    EXPECT_EQ(CutText(u"short", 63), u"short");
}

TEST(FieldText, KeepsEveryFieldWithin63Units) {
    const Text longName(70, u'x');
    EXPECT_EQ(FieldText(longName).size(), kFieldUnits);
    Text pairs;
    for (int i = 0; i < 40; ++i) pairs += u"\U00020000";  // 80 units
    const Text cut = FieldText(pairs);
    EXPECT_EQ(cut.size(), 62u);  // 31 whole pairs: unit 63 would split one
}

TEST(FitTogether, CutsTheLongestFirstUntilTheyFit) {
    Text a(60, u'a'), b(20, u'b'), c(50, u'c');
    Text *texts[] = {&a, &b, &c};
    FitTogether(texts, 3, 100);
    EXPECT_EQ(a.size() + b.size() + c.size(), 100u);
    EXPECT_EQ(b.size(), 20u);
    EXPECT_EQ(a.size(), 40u);
    EXPECT_EQ(c.size(), 40u);
}

TEST(FitDescription, MakesTheLineFit254Units) {
    ZoneDescription d;
    d.id = 139;
    d.listName = Text(70, u'L');
    d.shortName = Text(63, u'S');
    d.standardName = Text(63, u'T');
    d.daylightName = Text(63, u'D') + u"\t";
    FitDescription(&d);
    const std::size_t line = 3 + 4 + d.listName.size() + d.shortName.size() + d.standardName.size() +
                             d.daylightName.size() + 2;
    EXPECT_LE(line, kLineUnits);
    EXPECT_GE(line, kLineUnits - 1);
    for (const Text *t : {&d.listName, &d.shortName, &d.standardName, &d.daylightName}) {
        EXPECT_LE(t->size(), kFieldUnits);
        EXPECT_EQ(CleanText(*t), *t);
    }
}

}  // namespace
}  // namespace kelvane::builder
