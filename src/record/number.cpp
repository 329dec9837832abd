#include "record/number.h"

namespace kelvane {
namespace {
// Inside a field the only white space left is a vertical tab, a form feed and
// '$' (stored as a space): the other kinds separate fields or end the line.
bool IsSpaceInField(TZChar c) noexcept { return c == u'$' || c == 0x0B || c == 0x0C; }

constexpr std::size_t kFieldKept = 63;

// The sign and digits from text (before end).
std::int32_t SignedDigits(const TZChar *text, const TZChar *end) noexcept {
    bool negative = false;
    if (text != end && (*text == u'+' || *text == u'-')) negative = *text++ == u'-';
    constexpr std::int64_t kLimit = 2147483648LL;  // magnitude of INT32_MIN
    std::int64_t magnitude = 0;
    for (unsigned digit; text != end && (digit = static_cast<unsigned>(*text) - u'0') <= 9; ++text) {
        magnitude = magnitude * 10 + digit;
        if (magnitude > kLimit) magnitude = kLimit + 1;  // saturate; more digits change nothing
    }
    if (negative) return magnitude >= kLimit ? INT32_MIN : static_cast<std::int32_t>(-magnitude);
    return magnitude >= kLimit ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}
}  // namespace

// Up to nine digits cannot overflow: the common field is taken without the
// saturating arithmetic.
std::int32_t FieldToLong(const TZChar *field, const TZChar *end) noexcept {
    if (static_cast<std::size_t>(end - field) > kFieldKept) end = field + kFieldKept;
    const TZChar *p = field;
    std::uint32_t value = 0;
    for (unsigned digit; p != end && (digit = static_cast<unsigned>(*p) - u'0') <= 9; ++p) value = value * 10 + digit;
    const bool nonDigitFollows = p == end || static_cast<unsigned>(*p) - u'0' > 9;
    if (p != field && p - field <= 9 && nonDigitFollows) return static_cast<std::int32_t>(value);
    while (field != end && IsSpaceInField(*field)) ++field;
    return SignedDigits(field, end);
}

}  // namespace kelvane
