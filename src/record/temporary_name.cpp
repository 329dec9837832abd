#include "record/temporary_name.h"

#include "base/text.h"
#include "platform/platform.h"
#include "record/data_path.h"

namespace kelvane {
namespace {
constexpr std::size_t kEndingUnits = sizeof kTemporaryEnding - 1;
constexpr std::size_t kNumberUnits = 16;

bool IsLowerHexDigit(TZChar c) noexcept { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); }
}  // namespace

bool BuildTemporaryName(const TZChar *target, std::uint64_t number, TZChar *temporary) noexcept {
    std::size_t length = BoundedLength(target, kPathUnits);
    if (length + 1 + kNumberUnits + kEndingUnits >= kPathUnits) return false;
    CopyText(temporary, kPathUnits, TextView(target, length));
    temporary[length++] = u'.';
    for (std::size_t shift = kNumberUnits * 4; shift > 0; shift -= 4)
        temporary[length++] = static_cast<TZChar>("0123456789abcdef"[(number >> (shift - 4)) & 0xF]);
    for (std::size_t i = 0; i < kEndingUnits; ++i) temporary[length++] = static_cast<TZChar>(kTemporaryEnding[i]);
    temporary[length] = 0;
    return true;
}

bool IsTemporaryName(const TZChar *name) noexcept {
    const std::size_t length = BoundedLength(name, kPathUnits);
    // A file name of at least one unit, a dot and the number, then the ending.
    if (length < 1 + 1 + kNumberUnits + kEndingUnits) return false;
    const std::size_t ending = length - kEndingUnits;
    for (std::size_t i = 0; i < kEndingUnits; ++i) {
        if (name[ending + i] != static_cast<TZChar>(kTemporaryEnding[i])) return false;
    }
    const std::size_t number = ending - kNumberUnits;
    for (std::size_t i = number; i < ending; ++i) {
        if (!IsLowerHexDigit(name[i])) return false;
    }
    return name[number - 1] == u'.';
}

}  // namespace kelvane
