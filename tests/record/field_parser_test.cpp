#include "record/field_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {
using Text = std::u16string;

std::vector<Text> SplitLine(const Text &line, std::uint16_t limit) {
    ParserHandle parser = CreateFieldParser();
    if (!parser || !parser->SetLine(line.c_str())) return {u"<no line>"};
    std::uint16_t count = limit;
    EXPECT_TRUE(parser->Split(parser->GetFields(), &count));
    return std::vector<Text>(parser->GetFields(), parser->GetFields() + count);
}

TEST(FieldParser, SplitsLinesByTheDataFileSyntax) {
    struct Case {
        const char *name;
        Text line;
        std::uint16_t limit;
        std::vector<Text> fields;
    };
    const Text alphabet = u"0 1 2 3 4 5 6 7 8 9 a b c d e f g h i j k l m n o p q r s t u v w";
    std::vector<Text> first32;
    for (std::size_t i = 0; i < 64; i += 2) first32.push_back(alphabet.substr(i, 1));
    const std::vector<Case> cases = {
        {"tab, space and CR LF", u"123\t45 6\r\n", 32, {u"123", u"45", u"6"}},
        {"no empty fields", u"  a  b  \r\n", 32, {u"a", u"b"}},
        {"dollar is a space", u"New$York 5", 32, {u"New York", u"5"}},
        {"long field is cut, not spilled", Text(70, u'a') + u" x", 32, {Text(63, u'a'), u"x"}},
        {"field of exactly 63", Text(63, u'z') + u" y", 32, {Text(63, u'z'), u"y"}},
        {"line feed inside", u"a\nb\n", 32, {u"a", u"b"}},
        {"carriage return ends the line", u"a b\rc d", 32, {u"a", u"b"}},
        {"limit", u"a b c d\r\n", 2, {u"a", u"b"}},
        {"limit zero", u"a b", 0, {}},
        {"only CR LF", u"\r\n", 32, {}},
        {"comment legend", u";TZID -- 时区ID\r\n", 32, {u";TZID", u"--", u"时区ID"}},
        {"ideographic space is ordinary", u"a\u3000b c", 32, {u"a\u3000b", u"c"}},
        {"thirty-three fields keep 32", alphabet, 32, first32},
        {"the line is cut at 255 units", Text(250, u' ') + u"abcdefgh", 32, {u"abcde"}},
    };
    for (const Case &c : cases) EXPECT_EQ(SplitLine(c.line, c.limit), c.fields) << c.name;
}

TEST(FieldParser, WithoutALineSplitsNothing) {
    ParserHandle parser = CreateFieldParser();
    ASSERT_TRUE(parser);
    EXPECT_FALSE(parser->SetLine(u""));
    std::uint16_t count = 7;
    EXPECT_FALSE(parser->Split(parser->GetFields(), &count));
    EXPECT_EQ(count, 7) << "count untouched without a line";
}

}  // namespace
}  // namespace kelvane
