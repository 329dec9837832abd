// What the data checker reports: one problem of one file, at one line or of
// the whole file, as an error (the engine will misread or refuse the data)
// or a warning (legal, but probably not what was meant).
#pragma once

#include <string>
#include <vector>

namespace kelvane::tool {

struct Problem {
    std::string file;
    int line = 0;  // 0: the file as a whole
    bool error = true;
    std::string message;
};

class Problems {
public:
    void Error(const std::string &file, int line, std::string message) {
        list_.push_back({file, line, true, std::move(message)});
    }
    void Warning(const std::string &file, int line, std::string message) {
        list_.push_back({file, line, false, std::move(message)});
    }
    const std::vector<Problem> &List() const { return list_; }
    int ErrorCount() const;

private:
    std::vector<Problem> list_;
};

// "file:line: error: message", or "file: error: message" for the whole file.
std::string Format(const Problem &problem);

}  // namespace kelvane::tool
