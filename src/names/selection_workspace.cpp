#include "names/selection_workspace.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "base/wide_blocks.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/zone_lookup.h"
#include "names/zone_descriptions.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane {
namespace {
constexpr std::uint16_t kSecondNameField = 2;
constexpr std::uint16_t kFirstNameField = 1;

// Offsets padded past the list's end with values no offset is less than, so
// the search for a greater one reads whole groups of four (or eight) and
// stops by itself.
constexpr std::size_t kOffsetPadding = 8;

// The first j at or after from whose offset is greater than offset; count
// when there is none: four at a time where the processor compares them at once.
inline std::uint16_t NextGreater(const std::int32_t *offsets, std::uint16_t from, std::uint16_t count,
                                 std::int32_t offset) noexcept {
    std::uint16_t j = from;
#if defined(__SSE2__)
    const __m128i bar = _mm_set1_epi32(offset);
    for (; j < count; j += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(offsets + j));
        const int greater = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(four, bar)));
        if (greater != 0) {
            const auto at = static_cast<std::uint16_t>(j + std::countr_zero(static_cast<unsigned>(greater)));
            return at < count ? at : count;
        }
    }
    return count;
#else
    while (j < count && offsets[j] <= offset) ++j;
    return j;
#endif
}

#if defined(KELVANE_WIDE_BLOCKS)
// Eight at a time where the processor has AVX2.
__attribute__((target("avx2"))) inline std::uint16_t NextGreaterWide(const std::int32_t *offsets,
                                                                      std::uint16_t from, std::uint16_t count,
                                                                      std::int32_t offset) noexcept {
    const __m256i bar = _mm256_set1_epi32(offset);
    for (std::uint16_t j = from; j < count; j += 8) {
        const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(offsets + j));
        const int greater = _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(eight, bar)));
        if (greater != 0) {
            const auto at = static_cast<std::uint16_t>(j + std::countr_zero(static_cast<unsigned>(greater)));
            return at < count ? at : count;
        }
    }
    return count;
}
#endif

// The exchange sort, west to east: position i takes each greater offset
// after it in turn. Position i's offset and slot ride in registers while the
// next greater offset is searched for; each one found is an exchange.
template <std::uint16_t (*Next)(const std::int32_t *, std::uint16_t, std::uint16_t, std::int32_t) noexcept>
[[gnu::always_inline]] inline void ExchangeSort(std::int32_t *offsets, std::uint8_t *order,
                                                std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i + 1 < count; ++i) {
        std::int32_t offset = offsets[i];
        std::uint8_t slot = order[i];
        for (std::uint16_t j = Next(offsets, i + 1, count, offset); j < count;
             j = Next(offsets, j + 1, count, offset)) {
            std::swap(offset, offsets[j]);
            std::swap(slot, order[j]);
        }
        offsets[i] = offset;
        order[i] = slot;
    }
}

#if defined(KELVANE_WIDE_BLOCKS)
__attribute__((target("avx2"))) void ExchangeSortWide(std::int32_t *offsets, std::uint8_t *order,
                                                      std::uint16_t count) noexcept {
    ExchangeSort<NextGreaterWide>(offsets, order, count);
}
#endif

void ExchangeSortAnyWay(std::int32_t *offsets, std::uint8_t *order, std::uint16_t count) noexcept {
#if defined(KELVANE_WIDE_BLOCKS)
    if (__builtin_cpu_supports("avx2")) return ExchangeSortWide(offsets, order, count);
#endif
    ExchangeSort<NextGreater>(offsets, order, count);
}
}  // namespace

Result SelectionList::Allocate(std::uint16_t selection) noexcept {
    selection_ = selection;
    shownField_ = selection == kSelectCompatibility ? kSecondNameField : kFirstNameField;
    records_ = AllocateArray<TZInfo>(TZ_MAX_ZONES);
    names_ = AllocateArray<FieldBuffer>(TZ_MAX_ZONES);
    for (std::uint16_t i = 0; i < TZ_MAX_ZONES; ++i) order_[i] = static_cast<std::uint8_t>(i);
    return records_ && names_ ? Result::Ok : Result::NoMemory;
}

Result SelectionList::KeepCataloguedZones(std::uint16_t *ids, std::uint16_t *count) noexcept {
    if (*count > TZ_MAX_ZONES) *count = TZ_MAX_ZONES;
    bool filled[TZ_MAX_ZONES] = {};
    const Result looked = LookUpZones(reader_, ids, *count, records_.get(), filled);
    if (looked != Result::Ok && looked != Result::NotFound) return looked;
    std::uint16_t kept = 0;
    for (std::uint16_t j = 0; j < *count; ++j) {
        if (!filled[j]) continue;
        ids[kept] = ids[j];
        records_[kept++] = records_[j];
    }
    *count = kept;
    return Result::Ok;
}

void SelectionList::ClearNamesBefore(std::uint16_t end) noexcept {
    for (; cleared_ < end; ++cleared_) names_[cleared_][0] = 0;
}

void SelectionList::IndexRecordsBefore(std::uint16_t end) noexcept {
    for (; indexed_ < end; ++indexed_) index_.Add(records_[indexed_].TZID, indexed_);
}

void SelectionList::OnUserLine(const RecordLine &line, const TZInfo *, std::uint16_t listed) noexcept {
    ClearNamesBefore(listed);
    IndexRecordsBefore(listed);
    const std::uint16_t slot = index_.Find(LineZoneId(line));
    if (slot != SlotIndex::kNone) CopyText(names_[slot], line.Text(kDetailField));
}

Result SelectionList::Describe(std::uint16_t count) noexcept {
    ClearNamesBefore(count);
    IndexRecordsBefore(count);
    if (const Result opened = reader_.Open(); opened != Result::Ok) return opened;
    const Result user = reader_.Read(kUserCatalogueFile, kUserZoneMinFields, [&](const RecordLine &line) noexcept {
        const std::uint16_t slot = index_.Find(LineZoneId(line));
        if (slot != SlotIndex::kNone && slot < count) CopyText(names_[slot], line.Text(kDetailField));
        return true;
    });
    if (user != Result::Ok) return user;
    return DescribeInLanguage(count);
}

Result SelectionList::DescribeInLanguage(std::uint16_t count) noexcept {
    IndexRecordsBefore(count);
    return ReadLanguageFile(reader_, AnyLine{}, [&](const RecordLine &line) noexcept {
        const std::uint16_t slot = index_.Find(line.U16(0));
        if (slot != SlotIndex::kNone && slot < count) CopyText(names_[slot], line.Text(shownField_));
    });
}

// Selections that list user zones read TZ_UserDef.ini anyway; the names are
// taken on that pass. Selection 0 reads it for them alone.
Result SelectionList::LoadCatalogue(std::uint16_t *count) noexcept {
    cleared_ = 0;
    indexed_ = 0;
    const bool readsUserFile = selection_ == kSelectWholeCatalogue || selection_ == kSelectUserZones;
    return LoadTZList(reader_, records_.get(), count, selection_, readsUserFile ? this : nullptr, ZoneFields::Brief);
}

Result SelectionList::DescribeCatalogue(std::uint16_t count) noexcept {
    if (selection_ != kSelectWholeCatalogue && selection_ != kSelectUserZones) return Describe(count);
    ClearNamesBefore(count);
    return DescribeInLanguage(count);
}

void SelectionList::SortWestToEast(std::uint16_t *ids, std::uint16_t count) noexcept {
    if (count > TZ_MAX_ZONES) count = TZ_MAX_ZONES;
    std::int32_t offsets[TZ_MAX_ZONES + kOffsetPadding];
    std::uint16_t sortedIds[TZ_MAX_ZONES];
    for (std::uint16_t i = 0; i < count; ++i) offsets[i] = records_[i].Offset;
    for (std::size_t pad = 0; pad < kOffsetPadding; ++pad) offsets[count + pad] = INT32_MIN;
    ExchangeSortAnyWay(offsets, order_, count);
    for (std::uint16_t i = 0; i < count; ++i) sortedIds[i] = ids[order_[i]];
    for (std::uint16_t i = 0; i < count; ++i) ids[i] = sortedIds[i];
}

bool AllPresent(TZChar *const *texts, std::uint16_t count) noexcept {
    for (std::uint16_t i = 0; i < count; ++i) {
        if (texts[i] == nullptr) return false;
    }
    return true;
}

}  // namespace kelvane
