// The engine's one allocator.
//
// Every buffer the engine owns comes from Allocate, so a test can make the
// n-th allocation fail and watch each failure path return its code, release
// what it had and leave the data files alone. Ownership is RAII: Owned<T>
// frees through Release, so "freed on every path" holds by construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>

namespace kelvane {

void *Allocate(std::size_t bytes) noexcept;
void Release(void *block) noexcept;

struct Releaser {
    void operator()(void *block) const noexcept { Release(block); }
};

template <typename T>
using Owned = std::unique_ptr<T, Releaser>;

// An uninitialised array of count trivially constructible items, or empty.
template <typename T>
Owned<T[]> AllocateArray(std::size_t count) noexcept {
    static_assert(std::is_trivially_destructible_v<T>);
    if (count > SIZE_MAX / sizeof(T)) return Owned<T[]>();
    return Owned<T[]>(static_cast<T *>(Allocate(count * sizeof(T))));
}

// Test hooks: not exported from the shared library.
namespace testing {
// Makes the n-th allocation from now fail (1 = the next one); 0 disarms.
void FailAllocationAfter(std::uint64_t n) noexcept;
// Allocations made since the counter was last reset.
std::uint64_t AllocationCount() noexcept;
void ResetAllocationCount() noexcept;
// Blocks allocated and not yet released.
std::int64_t LiveAllocations() noexcept;
}  // namespace testing

}  // namespace kelvane
