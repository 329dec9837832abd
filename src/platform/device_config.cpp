#include "platform/device_config.h"

#include <algorithm>
#include <utility>

namespace kelvane {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// [start, end) without the blanks around it.
void Trim(std::string_view text, std::size_t *start, std::size_t *end) {
    while (*start < *end && IsBlank(text[*start])) ++*start;
    while (*end > *start && IsBlank(text[*end - 1])) --*end;
}
}  // namespace

void DeviceConfig::AddLine(std::size_t start, std::size_t end) {
    Line line{{start, end - start}, {}, {}};
    const std::string_view text(text_);
    // Both searches stay within the line: a file's lines cost its size once.
    const std::string_view content = text.substr(start, end - start);
    const std::size_t contentEnd = start + std::min(content.size(), content.find('#'));
    const std::size_t equals = text.substr(start, contentEnd - start).find('=');
    if (equals != std::string_view::npos) {
        const std::size_t at = start + equals;
        std::size_t keyStart = start, keyEnd = at, valueStart = at + 1, valueEnd = contentEnd;
        Trim(text, &keyStart, &keyEnd);
        Trim(text, &valueStart, &valueEnd);
        line.key = {keyStart, keyEnd - keyStart};
        line.value = {valueStart, valueEnd - valueStart};
    }
    lines_.push_back(line);
}

DeviceConfig DeviceConfig::Parse(std::string contents) {
    DeviceConfig config;
    config.text_ = std::move(contents);
    const std::string_view text(config.text_);
    std::size_t lines = 1;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) ++lines;
    config.lines_.reserve(lines);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        config.AddLine(start, end);
        start = end + 1;
    }
    return config;
}

std::optional<std::string_view> DeviceConfig::Get(std::string_view key) const {
    for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
        if (View(it->key) == key) return View(it->value);
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
    *this = Parse(std::move(text));
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
