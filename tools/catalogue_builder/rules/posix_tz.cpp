#include "rules/posix_tz.h"

#include <cctype>

#include "calendar/civil_calendar.h"
#include "rules/local_type.h"

namespace kelvane::builder {
namespace {
// A cursor over the rule text; every reader leaves it unchanged on failure
// only where the grammar allows an optional part.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    std::optional<unsigned> Number(unsigned maxDigits) {
        std::size_t digits = 0;
        unsigned value = 0;
        while (digits < maxDigits && std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = value * 10 + static_cast<unsigned>(text_[pos_++] - '0');
            ++digits;
        }
        return digits == 0 ? std::nullopt : std::optional<unsigned>(value);
    }
    // "<...>" (letters, digits, '+', '-') or at least three letters.
    std::optional<std::string> Name() {
        std::string name;
        if (Take('<')) {
            while (!AtEnd() && Peek() != '>') name += text_[pos_++];
            if (!Take('>') || name.size() < 3) return std::nullopt;
            return name;
        }
        while (std::isalpha(static_cast<unsigned char>(Peek()))) name += text_[pos_++];
        return name.size() < 3 ? std::nullopt : std::optional<std::string>(name);
    }
    // [+-]hh[:mm[:ss]], hours up to maxHours; seconds, signed as written.
    std::optional<std::int32_t> Time(unsigned maxHours) {
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

std::optional<PosixDate> ParseDate(Cursor &in) {
    PosixDate date;
    if (in.Take('M')) {
        const auto m = in.Number(2);
        if (!m || *m < 1 || *m > 12 || !in.Take('.')) return std::nullopt;
        const auto w = in.Number(1);
        if (!w || *w < 1 || *w > 5 || !in.Take('.')) return std::nullopt;
        const auto d = in.Number(1);
        if (!d || *d > 6) return std::nullopt;
        date.form = DateForm::MonthWeekDay;
        date.month = *m;
        date.week = *w;
        date.weekday = *d;
    } else {
        const bool julian = in.Take('J');
        const auto n = in.Number(3);
        if (!n || *n > 365 || (julian && *n < 1)) return std::nullopt;
        date.form = julian ? DateForm::JulianNoLeap : DateForm::ZeroBasedDay;
        date.dayOfYear = *n;
    }
    if (in.Take('/')) {
        const auto time = in.Time(167);
        if (!time) return std::nullopt;
        date.time = *time;
    }
    return date;
}
}  // namespace

bool PosixDate::IsWholeHourWeekday() const {
    return form == DateForm::MonthWeekDay && time >= 0 && time < 24 * 3600 && time % 3600 == 0;
}

std::optional<PosixTz> ParsePosixTz(std::string_view text) {
    Cursor in(text);
    PosixTz tz;
    const auto standardName = in.Name();
    const auto standardWest = standardName ? in.Time(24) : std::nullopt;
    if (!standardWest) return std::nullopt;
    tz.standardName = *standardName;
    tz.standardOffset = -*standardWest;
    if (in.AtEnd()) return tz;

    const auto daylightName = in.Name();
    if (!daylightName) return std::nullopt;
    tz.hasDaylight = true;
    tz.daylightName = *daylightName;
    tz.daylightOffset = tz.standardOffset + 3600;
    if (in.Peek() != ',') {
        const auto daylightWest = in.Time(24);
        if (!daylightWest) return std::nullopt;
        tz.daylightOffset = -*daylightWest;
    }
    if (!in.Take(',')) return std::nullopt;
    const auto start = ParseDate(in);
    if (!start || !in.Take(',')) return std::nullopt;
    const auto end = ParseDate(in);
    if (!end || !in.AtEnd()) return std::nullopt;
    tz.start = *start;
    tz.end = *end;
    return tz;
}

std::int64_t LocalChangeTime(const PosixDate &date, std::int64_t year) {
    std::int64_t midnight = 0;
    switch (date.form) {
    case DateForm::MonthWeekDay:
        midnight = SecondsFromCivil(year, date.month, DayOfNthWeekday(year, date.month, date.week, date.weekday));
        break;
    case DateForm::JulianNoLeap: {
        // Day 60 is 1 March whether or not the year has a 29 February.
        const unsigned zeroBased = date.dayOfYear - 1 + (IsLeapYear(year) && date.dayOfYear >= 60 ? 1 : 0);
        midnight = SecondsFromCivil(year, 1, 1) + zeroBased * kSecondsPerDay;
        break;
    }
    case DateForm::ZeroBasedDay:
        midnight = SecondsFromCivil(year, 1, 1) + date.dayOfYear * kSecondsPerDay;
        break;
    }
    return midnight + date.time;
}

}  // namespace kelvane::builder
