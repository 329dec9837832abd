// One zone's texts in every language of the table.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

// The languages into langIds and *langCount (room for TZ_MAX_LANGUAGES),
// and the zone's texts in each into descs; a user zone comes back once, with
// language 0.
Result DescribeInEveryLanguage(std::uint16_t tzid, std::uint16_t *langCount, std::uint16_t *langIds,
                               TZDesc *descs) noexcept;

}  // namespace kelvane
