#include "frequency/frequency_queries.h"

#include "frequency/frequency_file.h"
#include "platform/memory.h"

namespace kelvane {

Result ReadFrequencyFlags(std::uint16_t count, const std::uint16_t *ids, std::uint32_t *flags) noexcept {
    Owned<std::uint16_t[]> list = AllocateArray<std::uint16_t>(kFrequencyCapacity);
    if (!list) return Result::NoMemory;
    std::uint16_t listed = kFrequencyCapacity;
    if (const Result read = ReadFrequencyList(list.get(), &listed); read != Result::Ok) return read;
    for (std::uint16_t i = 0; i < count; ++i) flags[i] = ListHolds(list.get(), listed, ids[i]) ? 1 : 0;
    return Result::Ok;
}

}  // namespace kelvane
