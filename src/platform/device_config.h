// device.ini: the whole state of the simulated device.
//
// UTF-8, one "key = value" a line, '#' starts a comment. Lines the simulator
// does not understand are kept as they stand when it rewrites the file, so a
// person's notes and unknown keys survive every change of state.
//
// The text is kept once; each line is a pair of offsets into it, with the
// key and value found once, so reading the file costs two allocations
// whatever it holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

class DeviceConfig {
public:
    static DeviceConfig Parse(std::string contents);

    // The value of the key's last line, a view into the text kept here.
    std::optional<std::string_view> Get(std::string_view key) const;
    // Calls read(key, value) for each line that holds a key, in file order.
    template <typename Read>
    void ForEachValue(Read read) const {
        for (const Line &line : lines_) {
            if (line.key.length != 0) read(View(line.key), View(line.value));
        }
    }
    // Replaces the key's line, or appends one.
    void Set(const std::string &key, const std::string &value);
    std::string Text() const;

private:
    struct Span {
        std::size_t start = 0, length = 0;
    };
    struct Line {
        Span raw, key, value;  // key and value empty for comments, blanks and unreadable lines
    };
    std::string_view View(Span span) const { return std::string_view(text_).substr(span.start, span.length); }
    void AddLine(std::size_t start, std::size_t end);

    std::string text_;
    std::vector<Line> lines_;
};

}  // namespace kelvane
