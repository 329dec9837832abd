// A writer that finds the lock held waits for it in the kernel, in a
// blocking flock: each release hands the lock to one of the writers already
// waiting there. Polling with LOCK_NB would not take turns: the writer that
// has just released the lock usually takes it again before a sleeping poller
// wakes, and under steady load a poller can lose every race until its
// deadline.
//
// flock cannot be given a deadline, so the blocking call runs in a helper
// thread and the caller waits for it until its deadline. When the deadline
// passes first the caller gives up; the helper keeps waiting and releases the
// lock (and the descriptor) as soon as it gets it, so the writers behind it
// lose nothing. Should no thread be had, the caller polls instead.
#include "platform/posix_lock_wait.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace kelvane::host {
namespace {
constexpr auto kPollPause = std::chrono::milliseconds(2);

enum class Turn { Waiting, Taken, Failed, GivenUp };

struct SharedWait {
    explicit SharedWait(int lockFd) : fd(lockFd) {}
    const int fd;
    std::mutex mutex;
    std::condition_variable ended;
    Turn turn = Turn::Waiting;
};

int BlockingFlock(int fd) noexcept {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The helper thread: takes the lock, then hands it over, or releases it when
// the caller has given up.
void WaitInKernel(const std::shared_ptr<SharedWait> &wait) noexcept {
    const bool taken = BlockingFlock(wait->fd) == 0;
    std::lock_guard<std::mutex> guard(wait->mutex);
    if (wait->turn == Turn::GivenUp) {
        ::close(wait->fd);  // releases the lock too
        return;
    }
    wait->turn = taken ? Turn::Taken : Turn::Failed;
    wait->ended.notify_one();
}

bool Poll(int fd, LockDeadline deadline) noexcept {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kPollPause);
    }
    ::close(fd);
    return false;
}

std::shared_ptr<SharedWait> StartHelper(int fd) noexcept try {
    auto wait = std::make_shared<SharedWait>(fd);
    std::thread([wait] { WaitInKernel(wait); }).detach();
    return wait;
} catch (...) {
    return nullptr;
}
}  // namespace

bool TakeLock(int fd, LockDeadline deadline) noexcept {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) {
        ::close(fd);
        return false;
    }
    const std::shared_ptr<SharedWait> wait = StartHelper(fd);
    if (!wait) return Poll(fd, deadline);
    std::unique_lock<std::mutex> guard(wait->mutex);
    wait->ended.wait_until(guard, deadline, [&] { return wait->turn != Turn::Waiting; });
    if (wait->turn == Turn::Taken) return true;
    if (wait->turn == Turn::Waiting) {
        wait->turn = Turn::GivenUp;  // the helper closes fd when its flock returns
        return false;
    }
    ::close(fd);
    return false;
}

}  // namespace kelvane::host
