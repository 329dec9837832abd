// AddTZFrequency, DeleteTZFrequency and UpdateTZFrequency.
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

}  // namespace kelvane

using namespace kelvane;

extern "C" uint32_t AddTZFrequency(uint16_t count, const uint16_t *ids) {
    if (ids == nullptr || count == 0) return Code(Result::Param);
    DataDirectoryLock lock;
    if (const Result locked = lock.Acquire(); locked != Result::Ok) return Code(locked);
    return Code(AddFrequencyZones(lock, count, ids));
}

extern "C" uint32_t DeleteTZFrequency(uint16_t count, const uint16_t *ids) {
    if (count > 0 && ids == nullptr) return Code(Result::Param);
    DataDirectoryLock lock;
    if (const Result locked = lock.Acquire(); locked != Result::Ok) return Code(locked);
    return Code(DeleteFrequencyZones(lock, count, ids));
}

// Additions first, then removals: each is a full rewrite of the file, and a
// failed addition ends the call before anything is removed.
extern "C" uint32_t UpdateTZFrequency(uint16_t count, const uint16_t *ids, const uint32_t *flags) {
    if (count == 0 || count > kFrequencyCapacity || ids == nullptr || flags == nullptr) return Code(Result::Param);
    Owned<uint16_t[]> adds = AllocateArray<uint16_t>(kFrequencyCapacity);
    Owned<uint16_t[]> removes = AllocateArray<uint16_t>(kFrequencyCapacity);
    if (!adds || !removes) return Code(Result::NoMemory);
    uint16_t addCount = 0, removeCount = 0;
    for (uint16_t i = 0; i < count; ++i) {
        if (flags[i] != 0) {
            adds[addCount++] = ids[i];
        } else {
            removes[removeCount++] = ids[i];
        }
    }
    DataDirectoryLock lock;
    Result result = lock.Acquire();
    if (result == Result::Ok && addCount > 0) result = AddFrequencyZones(lock, addCount, adds.get());
    if (result != Result::Ok) return Code(result);
    if (removeCount > 0) result = DeleteFrequencyZones(lock, removeCount, removes.get());
    return Code(result);
}
