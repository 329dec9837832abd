// GetTZFrequency and GetTZFrequencyState: the frequency list as stored, and
// whether given zones are on it.
#include "Kelvane.h"
#include "frequency/frequency_file.h"
#include "platform/memory.h"

using namespace kelvane;

extern "C" uint32_t GetTZFrequency(uint16_t *count, uint16_t *ids, uint32_t checkCatalogue) {
    return Code(ReadTZFrequency(count, ids, checkCatalogue != 0));
}

// The list is taken as stored, without the catalogue check, so a stale entry still counts.
extern "C" uint32_t GetTZFrequencyState(uint16_t count, const uint16_t *ids, uint32_t *flags) {
    if (ids == nullptr || flags == nullptr || count == 0) return Code(Result::Param);
    Owned<uint16_t[]> list = AllocateArray<uint16_t>(kFrequencyCapacity);
    if (!list) return Code(Result::NoMemory);
    uint16_t listed = kFrequencyCapacity;
    if (const Result read = ReadTZFrequency(&listed, list.get(), false); read != Result::Ok) return Code(read);
    for (uint16_t i = 0; i < count; ++i) flags[i] = ListHolds(list.get(), listed, ids[i]) ? 1 : 0;
    return Code(Result::Ok);
}
