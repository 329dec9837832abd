#include "platform/posix_rule.h"

#include <climits>
#include <optional>

#include "platform/file_time.h"

namespace kelvane {
namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsLetter(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A cursor over the rule text. Each reader consumes what it accepts.
class Cursor {
public:
    explicit Cursor(std::string_view text) noexcept : text_(text) {}
    bool AtEnd() const noexcept { return pos_ == text_.size(); }
    char Peek() const noexcept { return AtEnd() ? '\0' : text_[pos_]; }
    bool Take(char c) noexcept {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    std::optional<unsigned> Number(unsigned maxDigits) noexcept {
        std::size_t digits = 0;
        unsigned value = 0;
        while (digits < maxDigits && IsDigit(Peek())) {
            value = value * 10 + static_cast<unsigned>(text_[pos_++] - '0');
            ++digits;
        }
        return digits == 0 ? std::nullopt : std::optional<unsigned>(value);
    }
    // "<...>" (letters, digits, '+', '-') or at least three letters, into name.
    bool Name(char (&name)[kAbbreviationBytes]) noexcept {
        const bool quoted = Take('<');
        std::size_t length = 0;
        while (quoted ? !AtEnd() && Peek() != '>' : IsLetter(Peek())) {
            if (length + 1 == kAbbreviationBytes) return false;
            name[length++] = text_[pos_++];
        }
        name[length] = '\0';
        return (!quoted || Take('>')) && length >= 3;
    }
    // [+-]hh[:mm[:ss]], hours up to maxHours; seconds, signed as written.
    std::optional<std::int32_t> Time(unsigned maxHours) noexcept {
        const bool negative = Take('-');
        if (!negative) Take('+');
        const auto hours = Number(3);
        if (!hours || *hours > maxHours) return std::nullopt;
        std::int32_t seconds = static_cast<std::int32_t>(*hours) * 3600;
        for (int part = 0; part < 2 && Take(':'); ++part) {
            const auto n = Number(2);
            if (!n || *n > 59) return std::nullopt;
            seconds += static_cast<std::int32_t>(*n) * (part == 0 ? 60 : 1);
        }
        return negative ? -seconds : seconds;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool ParseMonthWeekDay(Cursor &in, PosixDate *date) noexcept {
    const auto m = in.Number(2);
    if (!m || *m < 1 || *m > 12 || !in.Take('.')) return false;
    const auto w = in.Number(1);
    if (!w || *w < 1 || *w > 5 || !in.Take('.')) return false;
    const auto d = in.Number(1);
    if (!d || *d > 6) return false;
    date->form = DateForm::MonthWeekDay;
    date->month = *m;
    date->week = *w;
    date->weekday = *d;
    return true;
}

bool ParseDate(Cursor &in, PosixDate *date) noexcept {
    if (in.Take('M')) {
        if (!ParseMonthWeekDay(in, date)) return false;
    } else {
        const bool julian = in.Take('J');
        const auto n = in.Number(3);
        if (!n || *n > 365 || (julian && *n < 1)) return false;
        date->form = julian ? DateForm::JulianNoLeap : DateForm::ZeroBasedDay;
        date->dayOfYear = *n;
    }
    if (!in.Take('/')) return true;
    const auto time = in.Time(167);
    if (time) date->time = *time;
    return time.has_value();
}

bool ParseDaylight(Cursor &in, PosixRule *rule) noexcept {
    if (!in.Name(rule->daylightName)) return false;
    rule->hasDaylight = true;
    rule->daylightOffset = rule->standardOffset + 3600;
    if (in.Peek() != ',') {
        const auto daylightWest = in.Time(24);
        if (!daylightWest) return false;
        rule->daylightOffset = -*daylightWest;
    }
    return in.Take(',') && ParseDate(in, &rule->start) && in.Take(',') && ParseDate(in, &rule->end) && in.AtEnd();
}

std::int64_t DaysInMonth(std::int64_t year, unsigned month) noexcept {
    const std::int64_t next = month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
    return next - DaysFromCivil(year, month, 1);
}

// Days since 1970 of the week-th (5: last) weekday of the month.
std::int64_t NthWeekday(std::int64_t year, unsigned month, unsigned week, unsigned weekday) noexcept {
    const std::int64_t first = DaysFromCivil(year, month, 1);
    const std::int64_t weekdayOfFirst = ((first + 4) % 7 + 7) % 7;  // 1970-01-01 was a Thursday
    std::int64_t day = (static_cast<std::int64_t>(weekday) - weekdayOfFirst + 7) % 7 + 7 * (week - 1);
    while (day >= DaysInMonth(year, month)) day -= 7;
    return first + day;
}

bool IsLeap(std::int64_t year) noexcept { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }
}  // namespace

bool PosixDate::IsWholeHourWeekday() const noexcept {
    return form == DateForm::MonthWeekDay && time >= 0 && time < 24 * 3600 && time % 3600 == 0;
}

bool ParsePosixRule(std::string_view text, PosixRule *rule) noexcept {
    Cursor in(text);
    PosixRule parsed;
    if (!in.Name(parsed.standardName)) return false;
    const auto standardWest = in.Time(24);
    if (!standardWest) return false;
    parsed.standardOffset = -*standardWest;
    if (!in.AtEnd() && !ParseDaylight(in, &parsed)) return false;
    *rule = parsed;
    return true;
}

std::int64_t LocalChangeTime(const PosixDate &date, std::int64_t year) noexcept {
    std::int64_t day = 0;
    switch (date.form) {
    case DateForm::MonthWeekDay: day = NthWeekday(year, date.month, date.week, date.weekday); break;
    case DateForm::JulianNoLeap:
        // Day 60 is 1 March whether or not the year has a 29 February.
        day = DaysFromCivil(year, 1, 1) + date.dayOfYear - 1 + (IsLeap(year) && date.dayOfYear >= 60 ? 1 : 0);
        break;
    case DateForm::ZeroBasedDay: day = DaysFromCivil(year, 1, 1) + date.dayOfYear; break;
    }
    return day * kSecondsPerDay + date.time;
}

RuleChanges ChangesInYear(const PosixRule &rule, std::int64_t year) noexcept {
    // Each date is given in the local time in force before the change.
    return {LocalChangeTime(rule.start, year) - rule.standardOffset,
            LocalChangeTime(rule.end, year) - rule.daylightOffset};
}

std::int64_t YearOfInstant(std::int64_t instant) noexcept {
    const std::int64_t days = instant / kSecondsPerDay - (instant % kSecondsPerDay < 0 ? 1 : 0);
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, &year, &month, &day);
    return year;
}

LocalType RuleTypeAt(const PosixRule &rule, std::int64_t instant) noexcept {
    const LocalType standard{rule.standardOffset, false};
    if (!rule.hasDaylight) return standard;
    // The latest change at or before the instant decides; the year before
    // always holds one, whatever the order of start and end.
    std::int64_t latest = INT64_MIN;
    LocalType state = standard;
    const std::int64_t year = YearOfInstant(instant);
    for (std::int64_t y = year - 1; y <= year + 1; ++y) {
        const RuleChanges changes = ChangesInYear(rule, y);
        if (changes.daylightStart <= instant && changes.daylightStart >= latest) {
            latest = changes.daylightStart;
            state = {rule.daylightOffset, true};
        }
        if (changes.daylightEnd <= instant && changes.daylightEnd >= latest) {
            latest = changes.daylightEnd;
            state = standard;
        }
    }
    return state;
}

}  // namespace kelvane
