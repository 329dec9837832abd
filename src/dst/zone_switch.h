// Switching the device to a zone of the catalogue.
#pragma once

#include <cstdint>

#include "record/result.h"

namespace kelvane {

// Sets the platform zone to tzid (not 0), records it and the daylight-saving
// switch (kept on only for a zone with a rule) in TZ_Set.ini, sets the
// clock's daylight values and keeps UTC where it was. Takes the data
// directory's lock itself, once its working memory is in hand, so a lack of
// memory is reported without waiting for another writer.
Result SwitchZone(std::uint16_t tzid, bool dlt) noexcept;

}  // namespace kelvane
