// The frequency list: reading it, asking about zones, changing it.
#include "Kelvane.h"
#include "api/export_support.h"
#include "frequency/frequency_file.h"
#include "frequency/frequency_maintenance.h"
#include "frequency/frequency_queries.h"
#include "platform/platform.h"

using namespace kelvane;

extern "C" uint32_t GetTZFrequency(uint16_t *count, uint16_t *ids, uint32_t checkCatalogue) {
    const PlatformCallScope scope;
    if (count == nullptr || ids == nullptr) return Code(Result::Param);
    return Code(ReadTZFrequency(count, ids, checkCatalogue != 0));
}

extern "C" uint32_t GetTZFrequencyState(uint16_t count, const uint16_t *ids, uint32_t *flags) {
    const PlatformCallScope scope;
    if (ids == nullptr || flags == nullptr || count == 0) return Code(Result::Param);
    return Code(ReadFrequencyFlags(count, ids, flags));
}

extern "C" uint32_t AddTZFrequency(uint16_t count, const uint16_t *ids) {
    const PlatformCallScope scope;
    if (ids == nullptr || count == 0) return Code(Result::Param);
    return EditUnderLock([&](const DataDirectoryLock &lock) noexcept { return AddFrequencyZones(lock, count, ids); });
}

extern "C" uint32_t DeleteTZFrequency(uint16_t count, const uint16_t *ids) {
    const PlatformCallScope scope;
    if (count > 0 && ids == nullptr) return Code(Result::Param);
    return EditUnderLock(
        [&](const DataDirectoryLock &lock) noexcept { return DeleteFrequencyZones(lock, count, ids); });
}

extern "C" uint32_t UpdateTZFrequency(uint16_t count, const uint16_t *ids, const uint32_t *flags) {
    const PlatformCallScope scope;
    if (count == 0 || count > kFrequencyCapacity || ids == nullptr || flags == nullptr) return Code(Result::Param);
    Owned<uint16_t[]> adds = AllocateArray<uint16_t>(kFrequencyCapacity);
    Owned<uint16_t[]> removes = AllocateArray<uint16_t>(kFrequencyCapacity);
    if (!adds || !removes) return Code(Result::NoMemory);
    const FrequencyChanges changes = SplitFrequencyFlags(count, ids, flags, adds.get(), removes.get());
    return EditUnderLock([&](const DataDirectoryLock &lock) noexcept { return UpdateFrequencyZones(lock, changes); });
}
