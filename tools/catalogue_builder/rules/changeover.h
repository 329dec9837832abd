// The changeover the catalogue can hold for one instant of change: the n-th
// weekday of the month and a whole hour of the local time in force before it.
#pragma once

#include <cstdint>
#include <string>

#include "rules/catalogue_rule.h"

namespace kelvane::builder {

struct EncodedChangeover {
    Changeover changeover;
    bool exact = true;  // false: the hour was rounded
};

// localBefore: the change as local seconds of the clock in force before it;
// forward: the clocks jump ahead (times are skipped), else they fall back.
// An hour with minutes is rounded so that no hour that really exists is
// misjudged: up when the clocks jump ahead (the skipped times take the
// blame), down when they fall back (the repeated times do). The week is
// 5 when the day is the month's last such weekday, else its ordinal.
EncodedChangeover EncodeChangeover(std::int64_t localBefore, bool forward);

// "last Sunday of March at 02:00", for reports.
std::string DescribeChangeover(const Changeover &c);

}  // namespace kelvane::builder
