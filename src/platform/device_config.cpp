#include "platform/device_config.h"

#include <algorithm>

namespace kelvane {
namespace {
constexpr std::string_view kBlanks = " \t\r";

// [start, end) without the blanks around it.
void Trim(std::string_view text, std::size_t *start, std::size_t *end) {
    while (*start < *end && kBlanks.find(text[*start]) != std::string_view::npos) ++*start;
    while (*end > *start && kBlanks.find(text[*end - 1]) != std::string_view::npos) --*end;
}
}  // namespace

void DeviceConfig::AddLine(std::size_t start, std::size_t end) {
    Line line{{start, end - start}, {}, {}};
    const std::string_view text(text_);
    const std::size_t contentEnd = std::min(end, text.find('#', start));
    const std::size_t equals = text.substr(0, contentEnd).find('=', start);
    if (equals != std::string_view::npos) {
        std::size_t keyStart = start, keyEnd = equals, valueStart = equals + 1, valueEnd = contentEnd;
        Trim(text, &keyStart, &keyEnd);
        Trim(text, &valueStart, &valueEnd);
        line.key = {keyStart, keyEnd - keyStart};
        line.value = {valueStart, valueEnd - valueStart};
    }
    lines_.push_back(line);
}

DeviceConfig DeviceConfig::Parse(const std::string &text) {
    DeviceConfig config;
    config.text_ = text;
    config.lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        config.AddLine(start, end);
        start = end + 1;
    }
    return config;
}

std::optional<std::string> DeviceConfig::Get(const std::string &key) const {
    for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
        if (View(it->key) == key) return std::string(View(it->value));
    }
    return std::nullopt;
}

// Rare (a change of state): the text is rebuilt and parsed again.
void DeviceConfig::Set(const std::string &key, const std::string &value) {
    const std::string replacement = key + " = " + value;
    std::string text;
    bool replaced = false;
    for (auto it = lines_.rbegin(); it != lines_.rend() && !replaced; ++it) {
        if (View(it->key) != key) continue;
        const Line &found = *it;
        for (const Line &line : lines_) {
            text += &line == &found ? std::string_view(replacement) : View(line.raw);
            text += '\n';
        }
        replaced = true;
    }
    if (!replaced) text = Text() + replacement + "\n";
    *this = Parse(text);
}

std::string DeviceConfig::Text() const {
    std::string text;
    text.reserve(text_.size() + 1);
    for (const Line &line : lines_) {
        text += View(line.raw);
        text += '\n';
    }
    return text;
}

}  // namespace kelvane
