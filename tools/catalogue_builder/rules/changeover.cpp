#include "rules/changeover.h"

#include "calendar/civil_calendar.h"
#include "rules/local_type.h"

namespace kelvane::builder {

EncodedChangeover EncodeChangeover(std::int64_t localBefore, bool forward) {
    const std::int64_t intoHour = ((localBefore % kSecondsPerHour) + kSecondsPerHour) % kSecondsPerHour;
    std::int64_t rounded = localBefore - intoHour;
    if (forward && intoHour != 0) rounded += kSecondsPerHour;
    const CivilTime t = CivilFromSeconds(rounded);
    EncodedChangeover encoded;
    encoded.exact = intoHour == 0;
    encoded.changeover.month = static_cast<std::uint16_t>(t.month);
    encoded.changeover.week =
        static_cast<std::uint16_t>(t.day + 7 > MonthLength(t.year, t.month) ? 5 : (t.day - 1) / 7 + 1);
    encoded.changeover.weekday = static_cast<std::uint16_t>(t.weekday);
    encoded.changeover.hour = static_cast<std::uint16_t>(t.hour);
    return encoded;
}

std::string DescribeChangeover(const Changeover &c) {
    static constexpr const char *kWeeks[] = {"?", "first", "second", "third", "fourth", "last"};
    static constexpr const char *kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                            "Saturday"};
    static constexpr const char *kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    if (c.month < 1 || c.month > 12 || c.week > 5 || c.weekday > 6) return "no changeover";
    std::string hour = c.hour < 10 ? "0" : "";
    hour += std::to_string(c.hour) + ":00";
    return std::string(kWeeks[c.week]) + " " + kDays[c.weekday] + " of " + kMonths[c.month - 1] + " at " + hour;
}

}  // namespace kelvane::builder
