#include "record/number.h"

namespace kelvane {
namespace {
bool IsSpace(TZChar c) noexcept { return c == 0x20 || static_cast<unsigned>(c - 0x09) <= 0x0D - 0x09; }
}  // namespace

std::int32_t WideToLong(const TZChar *text) noexcept {
    if (text == nullptr) return 0;
    while (IsSpace(*text)) ++text;
    bool negative = false;
    if (*text == u'+' || *text == u'-') negative = *text++ == u'-';
    constexpr std::int64_t kLimit = 2147483648LL;  // magnitude of INT32_MIN
    std::int64_t magnitude = 0;
    for (unsigned digit; (digit = static_cast<unsigned>(*text) - u'0') <= 9; ++text) {
        magnitude = magnitude * 10 + digit;
        if (magnitude > kLimit) magnitude = kLimit + 1;  // saturate; more digits change nothing
    }
    if (negative) return magnitude >= kLimit ? INT32_MIN : static_cast<std::int32_t>(-magnitude);
    return magnitude >= kLimit ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}

}  // namespace kelvane
