#include "platform/win32_lock_turnstile.h"

#include <cstdint>
#include <cwctype>

namespace kelvane::host {
namespace {
// "Local\Kelvane-lock-" and 16 hex digits of a hash of the lock file's path
// (letter case ignored, as the file system ignores it): a name of fixed
// length whatever the path. Two spellings of one path that still differ
// only lose the ordering, never the lock.
std::wstring MutexName(const std::wstring &lockPath) {
    std::uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (const wchar_t c : lockPath) {
        hash ^= static_cast<std::uint64_t>(std::towupper(static_cast<wint_t>(c)));
        hash *= 1099511628211u;
    }
    std::wstring name = L"Local\\Kelvane-lock-";
    for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}
}  // namespace

LockTurnstile::LockTurnstile(const std::wstring &lockPath, ULONGLONG deadline) noexcept {
    try {
        mutex_ = ::CreateMutexW(nullptr, FALSE, MutexName(lockPath).c_str());
    } catch (...) {
        return;  // no room for the name: the writer polls the lock alone
    }
    if (mutex_ == nullptr) return;
    const ULONGLONG now = ::GetTickCount64();
    const DWORD wait = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    // An abandoned mutex (its holder ended without leaving) is this writer's all the same.
    const DWORD result = ::WaitForSingleObject(mutex_, wait);
    entered_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

LockTurnstile::~LockTurnstile() {
    if (entered_) ::ReleaseMutex(mutex_);
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

}  // namespace kelvane::host
