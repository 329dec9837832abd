// The city entries TZ_CityZoneNum.ini files under one zone number, three
// texts each, in file order.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/result.h"

namespace kelvane {

struct CityRooms {
    TZChar **field2;
    TZChar **field4;
    TZChar **field3;
};

// Stores the matching lines until capacity entries are stored (none for a
// capacity of 0); *count (0 on entry) says how many were stored, on every
// path. NotFound when none is; Param for an absent room met on the way.
Result ReadCities(std::uint16_t zoneNum, std::uint16_t capacity, const CityRooms &rooms,
                  std::uint16_t *count) noexcept;

}  // namespace kelvane
