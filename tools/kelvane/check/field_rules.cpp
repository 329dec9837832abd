#include "check/field_rules.h"

namespace kelvane::tool {

std::optional<std::int64_t> CheckNumber(const std::string &file, const DataLine &line, std::size_t index,
                                        const FieldRule &rule, Problems &problems) {
    const std::u16string &text = line.fields[index];
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::int64_t value = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && value < 100'000'000'000; ++i)
        value = value * 10 + (text[i] - u'0');
    const std::string where = std::string(rule.name) + " (field " + std::to_string(index + 1) + ")";
    if (i == firstDigit || i != text.size()) {
        problems.Error(file, line.number, where + " is \"" + Utf8(text) + "\", not a decimal number");
        return std::nullopt;
    }
    if (negative) value = -value;
    if (value < rule.min || value > rule.max) {
        problems.Error(file, line.number,
                       where + " is " + std::to_string(value) + ", outside " + std::to_string(rule.min) + " to " +
                           std::to_string(rule.max));
        return std::nullopt;
    }
    return value;
}

}  // namespace kelvane::tool
