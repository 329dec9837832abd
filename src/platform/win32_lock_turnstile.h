// The queue in front of the data directory's lock on Windows.
//
// The lock itself is LockFileEx on Kelvane.lock, which can only be polled
// for within a deadline, and polling lets the writer that has just released
// it take it again before the others look. So writers first queue on a named
// mutex, one per data directory in this session: its waiters are woken one at
// a time, in turn, and the writer that has just released the lock queues
// behind them. Only the writer at the head of the queue polls the lock, and
// it leaves the queue once it holds the lock. The lock file alone still
// decides who writes (across sessions too); the mutex only orders the
// waiting. Where the mutex cannot be made, writers poll the lock alone.
#pragma once

#include <windows.h>

#include <string>

namespace kelvane::host {

class LockTurnstile {
public:
    // Waits for this writer's turn until the deadline (GetTickCount64); the
    // wait may end without it.
    LockTurnstile(const std::wstring &lockPath, ULONGLONG deadline) noexcept;
    ~LockTurnstile();
    LockTurnstile(const LockTurnstile &) = delete;
    LockTurnstile &operator=(const LockTurnstile &) = delete;

private:
    HANDLE mutex_ = nullptr;
    bool entered_ = false;
};

}  // namespace kelvane::host
