#include "platform/device_config.h"

namespace kelvane {
namespace {
std::string Trim(const std::string &s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}
}  // namespace

DeviceConfig DeviceConfig::Parse(const std::string &text) {
    DeviceConfig config;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        Line line{text.substr(start, end - start), {}, {}};
        const std::string content = line.raw.substr(0, line.raw.find('#'));
        const auto equals = content.find('=');
        if (equals != std::string::npos) {
            line.key = Trim(content.substr(0, equals));
            line.value = Trim(content.substr(equals + 1));
        }
        config.lines_.push_back(std::move(line));
        start = end + 1;
    }
    return config;
}

std::optional<std::string> DeviceConfig::Get(const std::string &key) const {
    for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
        if (it->key == key) return it->value;
    }
    return std::nullopt;
}

void DeviceConfig::Set(const std::string &key, const std::string &value) {
    Line replacement{key + " = " + value, key, value};
    for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
        if (it->key == key) {
            *it = std::move(replacement);
            return;
        }
    }
    lines_.push_back(std::move(replacement));
}

std::string DeviceConfig::Text() const {
    std::string text;
    for (const Line &line : lines_) text += line.raw + "\n";
    return text;
}

}  // namespace kelvane
