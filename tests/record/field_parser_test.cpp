#include "record/field_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"

namespace kelvane {
namespace {
using Text = std::basic_string<TZChar>;

std::vector<Text> SplitLine(const Text &line, std::uint16_t limit) {
    ParserHandle parser = CreateFieldParser();
    if (!parser || !parser->SetLine(line.c_str())) return {KT("<no line>")};
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
    const Text alphabet = KT("0 1 2 3 4 5 6 7 8 9 a b c d e f g h i j k l m n o p q r s t u v w");
    std::vector<Text> first32;
    for (std::size_t i = 0; i < 64; i += 2) first32.push_back(alphabet.substr(i, 1));
    const std::vector<Case> cases = {
        {"tab, space and CR LF", KT("123\t45 6\r\n"), 32, {KT("123"), KT("45"), KT("6")}},
        {"no empty fields", KT("  a  b  \r\n"), 32, {KT("a"), KT("b")}},
        {"dollar is a space", KT("New$York 5"), 32, {KT("New York"), KT("5")}},
        {"long field is cut, not spilled", Text(70, KT('a')) + KT(" x"), 32, {Text(63, KT('a')), KT("x")}},
        {"field of exactly 63", Text(63, KT('z')) + KT(" y"), 32, {Text(63, KT('z')), KT("y")}},
        {"line feed inside", KT("a\nb\n"), 32, {KT("a"), KT("b")}},
        {"carriage return ends the line", KT("a b\rc d"), 32, {KT("a"), KT("b")}},
        {"limit", KT("a b c d\r\n"), 2, {KT("a"), KT("b")}},
        {"limit zero", KT("a b"), 0, {}},
        {"only CR LF", KT("\r\n"), 32, {}},
        {"comment legend", KT(";TZID -- 时区ID\r\n"), 32, {KT(";TZID"), KT("--"), KT("时区ID")}},
        {"ideographic space is ordinary", KT("a\u3000b c"), 32, {KT("a\u3000b"), KT("c")}},
        {"thirty-three fields keep 32", alphabet, 32, first32},
        {"the line is cut at 255 units", Text(250, KT(' ')) + KT("abcdefgh"), 32, {KT("abcde")}},
    };
    for (const Case &c : cases) EXPECT_EQ(SplitLine(c.line, c.limit), c.fields) << c.name;
}

}  // namespace
}  // namespace kelvane
