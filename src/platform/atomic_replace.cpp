#include "platform/atomic_replace.h"

namespace kelvane::replace_steps {

bool DirectoryOf(const TZChar *target, TZChar *directory) noexcept {
    const std::size_t length = host::DirectoryLength(target, BoundedLength(target, kPathUnits));
    if (length == 0) return false;
    CopyText(directory, kPathUnits, TextView(target, length));
    return true;
}

}  // namespace kelvane::replace_steps
