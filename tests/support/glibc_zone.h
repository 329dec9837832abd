// glibc as an independent reading of a time zone, for the tests that check
// the catalogue's rules: TZ is set for the test's own use (the engine never
// reads the environment) and put back afterwards, as any variable a POSIX
// test sets; the instants asked about come from std::chrono.
#pragma once

#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::test {

// 00:00 UTC on 1 January, by std::chrono's calendar rather than the engine's.
inline std::int64_t StartOfYear(int year) {
    using namespace std::chrono;
    return duration_cast<seconds>(sys_days{std::chrono::year{year} / 1 / 1}.time_since_epoch()).count();
}

// Sets (or, for nullptr, unsets) an environment variable for its lifetime.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const char *value) : name_(name) {
        if (const char *old = ::getenv(name)) saved_ = old;
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { saved_ ? ::setenv(name_, saved_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char *name_;
    std::optional<std::string> saved_;
};

// Sets TZ (a POSIX rule, or ":Zone/Name" for a file of the tz database)
// for its lifetime.
class GlibcZone {
public:
    explicit GlibcZone(const std::string &tz) : tz_("TZ", tz.c_str()) { ::tzset(); }
    GlibcZone(const GlibcZone &) = delete;
    GlibcZone &operator=(const GlibcZone &) = delete;

    struct Local {
        int year, month, day, hour;
        long utcOffset;  // seconds east, tm_gmtoff
        bool daylight;   // tm_isdst > 0
    };
    Local At(std::int64_t instant) const;

    struct Change {
        std::int64_t at;  // first second of the new local time
        long offsetBefore, offsetAfter;
        bool daylightAfter;
    };
    // Every change of offset or daylight flag with from <= at < to, to the second.
    std::vector<Change> Changes(std::int64_t from, std::int64_t to) const;

private:
    // Destroyed after tz_, so that glibc reads the TZ put back.
    struct Reread { ~Reread() { ::tzset(); } } reread_;
    ScopedVariable tz_;
};

}  // namespace kelvane::test
