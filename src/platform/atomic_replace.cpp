#include "platform/atomic_replace.h"

namespace kelvane::replace_steps {

bool DirectoryOf(const TZChar *target, TZChar *directory) noexcept {
    std::size_t cut = BoundedLength(target, kPathUnits);
    while (cut > 0 && target[cut - 1] != host::kSeparator) --cut;
    if (cut == 0) return false;
    CopyText(directory, kPathUnits, TextView(target, cut == 1 ? 1 : cut - 1));
    return true;
}

}  // namespace kelvane::replace_steps
