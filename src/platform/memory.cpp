#include "platform/memory.h"

#include <atomic>
#include <cstdlib>

namespace kelvane {
namespace {
// Test bookkeeping only; the engine itself keeps no state between calls.
std::atomic<std::uint64_t> failCountdown{0};
std::atomic<std::uint64_t> allocationCount{0};
std::atomic<std::int64_t> liveBlocks{0};

bool InjectedFailure() noexcept {
    std::uint64_t left = failCountdown.load();
    while (left != 0) {
        if (failCountdown.compare_exchange_weak(left, left - 1)) return left == 1;
    }
    return false;
}
}  // namespace

void *Allocate(std::size_t bytes) noexcept {
    ++allocationCount;
    if (InjectedFailure()) return nullptr;
    void *block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr) ++liveBlocks;
    return block;
}

void Release(void *block) noexcept {
    if (block == nullptr) return;
    --liveBlocks;
    std::free(block);
}

namespace testing {
void FailAllocationAfter(std::uint64_t n) noexcept { failCountdown = n; }
std::uint64_t AllocationCount() noexcept { return allocationCount; }
void ResetAllocationCount() noexcept { allocationCount = 0; }
std::int64_t LiveAllocations() noexcept { return liveBlocks; }
}  // namespace testing

}  // namespace kelvane
