// Waiting for the data directory's lock on POSIX hosts, in turn with the
// other writers.
#pragma once

#include <cstdint>

namespace kelvane::host {

// Waits at most timeoutMs for an exclusive flock of fd, whose first try
// found it held. True: fd holds the lock. False: the wait failed or timed
// out, and fd is no longer the caller's (it is closed, now or once a wait
// still under way ends).
bool WaitForTurn(int fd, std::uint32_t timeoutMs) noexcept;

}  // namespace kelvane::host
