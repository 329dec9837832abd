#include "rules/posix_tz.h"

namespace kelvane::builder {

std::optional<PosixTz> ParsePosixTz(std::string_view text) {
    PosixTz rule;
    if (!ParsePosixRule(text, &rule)) return std::nullopt;
    return rule;
}

}  // namespace kelvane::builder
