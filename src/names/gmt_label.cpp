#include "names/gmt_label.h"

namespace kelvane {
namespace {
TZChar *PutTwoDigits(TZChar *out, std::int64_t value) noexcept {
    *out++ = static_cast<TZChar>(u'0' + value / 10);
    *out++ = static_cast<TZChar>(u'0' + value % 10);
    return out;
}
}  // namespace

std::size_t WriteGmtLabel(TZChar *out, std::int32_t offset, LabelForm form) noexcept {
    const bool bracketed = form == LabelForm::Bracketed;
    TZChar *p = out;
    if (bracketed) *p++ = u'(';
    *p++ = u'G';
    *p++ = u'M';
    *p++ = u'T';
    if (offset != 0) {
        const std::int64_t minutes = offset < 0 ? -static_cast<std::int64_t>(offset) : offset;
        std::int64_t hours = minutes / 60, rest = minutes % 60;
        if (hours > 99) hours = 99, rest = 59;
        *p++ = offset > 0 ? u'-' : u'+';
        p = PutTwoDigits(p, hours);
        *p++ = u':';
        p = PutTwoDigits(p, rest);
    }
    if (bracketed) *p++ = u')';
    if (offset != 0) *p++ = u' ';
    return static_cast<std::size_t>(p - out);
}

}  // namespace kelvane
