#include "names/gmt_label.h"

namespace kelvane {

void AppendGmtLabel(LineBuilder &line, std::int32_t offset, LabelForm form) noexcept {
    const bool bracketed = form == LabelForm::Bracketed;
    if (bracketed) line.Unit(u'(');
    line.Text(KT("GMT"));
    if (offset != 0) {
        const std::int64_t minutes = offset < 0 ? -static_cast<std::int64_t>(offset) : offset;
        std::int64_t hours = minutes / 60, rest = minutes % 60;
        if (hours > 99) hours = 99, rest = 59;
        line.Unit(offset > 0 ? u'-' : u'+')
            .Unsigned(static_cast<std::uint32_t>(hours), 2, true)
            .Unit(u':')
            .Unsigned(static_cast<std::uint32_t>(rest), 2, true);
    }
    if (bracketed) line.Unit(u')');
    if (offset != 0) line.Unit(u' ');
}

}  // namespace kelvane
