#include "frequency/frequency_maintenance.h"

#include "Kelvane.h"
#include "frequency/catalogue_check.h"
#include "frequency/frequency_file.h"
#include "platform/memory.h"

namespace kelvane {

Result AddFrequencyZones(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept {
    if (ids == nullptr || count == 0) return Result::Param;
    Owned<std::uint16_t[]> list = AllocateArray<std::uint16_t>(kFrequencyCapacity);
    if (!list) return Result::NoMemory;
    std::uint16_t n = kFrequencyCapacity;
    if (const Result read = ReadTZFrequency(&n, list.get(), true); read != Result::Ok) return read;
    // The list only grows, so once it reaches the limit the answer is settled.
    for (std::uint16_t i = 0; i < count && n < kFrequencyLimit; ++i) {
        if (!ListHolds(list.get(), n, ids[i])) list[n++] = ids[i];
    }
    if (n >= kFrequencyLimit) return Result::ListFull;
    std::uint16_t kept = 0;
    if (const Result checked = KeepCatalogueZones(list.get(), n, list.get(), &kept); checked != Result::Ok)
        return checked;
    return WriteTZFrequency(lock, kept, list.get());
}

Result DeleteFrequencyZones(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept {
    if (count > 0 && ids == nullptr) return Result::Param;
    Owned<std::uint16_t[]> list = AllocateArray<std::uint16_t>(kFrequencyCapacity);
    if (!list) return Result::NoMemory;
    std::uint16_t n = kFrequencyCapacity;
    if (const Result read = ReadTZFrequency(&n, list.get(), true); read != Result::Ok) return read;
    std::uint16_t kept = 0;
    for (std::uint16_t i = 0; i < n; ++i) {
        if (!ListHolds(ids, count, list[i])) list[kept++] = list[i];
    }
    return WriteTZFrequency(lock, kept, list.get());
}

// Additions first, then removals: each is a full rewrite of the file, and a
// failed addition ends the call before anything is removed.
Result UpdateFrequencyZones(const DataDirectoryLock &lock, const FrequencyChanges &changes) noexcept {
    if (changes.addCount > 0) {
        if (const Result added = AddFrequencyZones(lock, changes.addCount, changes.adds); added != Result::Ok)
            return added;
    }
    return changes.removeCount > 0 ? DeleteFrequencyZones(lock, changes.removeCount, changes.removes) : Result::Ok;
}

FrequencyChanges SplitFrequencyFlags(std::uint16_t count, const std::uint16_t *ids, const std::uint32_t *flags,
                                     std::uint16_t *adds, std::uint16_t *removes) noexcept {
    FrequencyChanges changes{adds, 0, removes, 0};
    for (std::uint16_t i = 0; i < count; ++i) {
        if (flags[i] != 0) {
            adds[changes.addCount++] = ids[i];
        } else {
            removes[changes.removeCount++] = ids[i];
        }
    }
    return changes;
}

}  // namespace kelvane
