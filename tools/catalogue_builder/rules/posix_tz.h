// The POSIX TZ rule a TZif file ends with: the engine's reader (the Linux
// system platform reads /etc/localtime with it), under the builder's names.
#pragma once

#include <optional>
#include <string_view>

#include "platform/posix_rule.h"

namespace kelvane::builder {

using kelvane::DateForm;
using kelvane::LocalChangeTime;
using kelvane::PosixDate;
using PosixTz = kelvane::PosixRule;

// nullopt when the text is not a complete rule (a daylight time without its
// two dates counts as incomplete: the default dates are implementation-defined).
std::optional<PosixTz> ParsePosixTz(std::string_view text);

}  // namespace kelvane::builder
