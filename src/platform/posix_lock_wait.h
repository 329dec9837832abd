// Waiting for the data directory's lock on POSIX hosts, in turn with the
// other writers.
#pragma once

#include <chrono>

namespace kelvane::host {

using LockDeadline = std::chrono::steady_clock::time_point;

// An exclusive flock of fd, waited for until the deadline in turn with the
// other writers. True: fd holds the lock. False: it could not be had in
// time, and fd is no longer the caller's (it is closed, now or once a wait
// still under way ends).
bool TakeLock(int fd, LockDeadline deadline) noexcept;

}  // namespace kelvane::host
