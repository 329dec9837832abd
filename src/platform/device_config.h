// device.ini: the whole state of the simulated device.
//
// UTF-8, one "key = value" a line, '#' starts a comment. Lines the simulator
// does not understand are kept as they stand when it rewrites the file, so a
// person's notes and unknown keys survive every change of state.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvane {

class DeviceConfig {
public:
    static DeviceConfig Parse(const std::string &text);

    std::optional<std::string> Get(const std::string &key) const;
    // Replaces the key's line, or appends one.
    void Set(const std::string &key, const std::string &value);
    std::string Text() const;

private:
    struct Line {
        std::string raw;
        std::string key;  // empty for comments, blanks and unreadable lines
        std::string value;
    };
    std::vector<Line> lines_;
};

}  // namespace kelvane
