// The clock's two daylight-saving values in the registry: AutoDST (the user
// lets the clock follow daylight saving) and HomeDST (daylight time is in
// force in the home zone now), both DWORD 0 or 1 under the clock key, which
// is opened for writing and never created.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "record/result.h"

namespace kelvane {

inline constexpr const TZChar *kAutoDstValue = KT("AutoDST");
inline constexpr const TZChar *kHomeDstValue = KT("HomeDST");

// Sets AutoDST, then, only if that succeeded, HomeDST (each 1 for a non-zero
// argument). Registry when the key cannot be opened or the last value set
// failed.
Result SetClockDST(std::uint32_t autoDst, std::uint32_t homeDst) noexcept;

}  // namespace kelvane
