// The names of the engine's temporary files: "<file>.<16 hex digits>.kvtmp",
// beside the file they will replace. The number comes from the platform and
// differs from call to call and process to process, and the file is created
// exclusively, so two writers never share one and a planted file or link is
// never written through.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

// "<target>.<number in hex>.kvtmp" into temporary (kPathUnits units); false
// when it would not fit.
bool BuildTemporaryName(const TZChar *target, std::uint64_t number, TZChar *temporary) noexcept;

// Whether a directory entry's name has exactly the form BuildTemporaryName
// gives: a name, a dot, 16 lowercase hex digits and ".kvtmp". A user's own
// "backup.kvtmp" is not the engine's.
bool IsTemporaryName(const TZChar *name) noexcept;

}  // namespace kelvane
