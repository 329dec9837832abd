// A TZif zone file read as the platform's zone record.
//
// The answer comes from a full evaluation of the file at the given instant
// (its transitions, then its footer's rule, as the C library reads it), so
// it is right even where the record can only approximate the rule:
// Jerusalem's changes at "/26" (02:00 of the next day), Nuuk's at "/-1",
// Dublin's negative daylight saving. The record holds the footer's offsets
// and dates as nearly as its fields allow, and the biases are set so that
// the bias in force at the instant is exactly the file's.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace kelvane {

// Reads the file's bytes at instant (seconds since 1970, UTC): 2 when
// daylight time of a daylight rule is in force, else 1; 0 (info untouched)
// when the bytes are no TZif file of version 2 or later, or its footer is
// no rule.
std::uint32_t DescribeZoneFile(std::string_view bytes, std::int64_t instant, TimeZoneInformation *info) noexcept;

// The record of a host without a zone file: UTC, standard time.
void DescribeUtc(TimeZoneInformation *info) noexcept;

}  // namespace kelvane
