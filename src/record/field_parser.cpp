#include "record/field_parser.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/wide_blocks.h"

namespace kelvane {
namespace {
constexpr TZChar kCarriageReturn = 0x0D;
constexpr TZChar kLineFeed = 0x0A;
constexpr TZChar kDollar = u'$';

// Every unit above '$' is an ordinary character: one comparison decides it.
bool IsOrdinary(TZChar c) noexcept { return c > kDollar; }

// Copies the field starting at p into out (63 units kept, '$' as a space,
// the rest dropped) and returns where it ends.
const TZChar *TakeField(const TZChar *p, const TZChar *end, TZChar *out, std::size_t *length) noexcept {
    std::size_t n = 0;
    for (; p != end; ++p) {
        TZChar c = *p;
        if (!IsOrdinary(c)) {
            if (IsFieldSeparator(c) || EndsFieldLine(c)) break;
            if (c == kDollar) c = 0x20;
        }
        if (n < kFieldUnits - 1) out[n++] = c;
    }
    out[n] = 0;
    *length = n;
    return p;
}

// Sixteen units classified at once, one bit a unit: those that belong to a
// field (not a space, tab or line feed) and those that end the line (a
// carriage return or NUL).
struct BlockBits {
    unsigned inField;
    unsigned ends;
};

constexpr std::size_t kBlockUnits = FieldMap::kBlockUnits;

BlockBits Classify(const TZChar *block) noexcept {
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(0x20), tab = _mm_set1_epi16(0x09), feed = _mm_set1_epi16(kLineFeed);
    const __m128i ret = _mm_set1_epi16(kCarriageReturn), nul = _mm_setzero_si128();
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + 8));
    auto blanks = [&](__m128i u) {
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(u, space), _mm_cmpeq_epi16(u, tab)), _mm_cmpeq_epi16(u, feed));
    };
    auto ends = [&](__m128i u) { return _mm_or_si128(_mm_cmpeq_epi16(u, ret), _mm_cmpeq_epi16(u, nul)); };
    const auto blankBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(blanks(low), blanks(high))));
    const auto endBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ends(low), ends(high))));
    return {~blankBits & 0xFFFFu, endBits};
#else
    BlockBits bits{0, 0};
    for (std::size_t i = 0; i < kBlockUnits; ++i) {
        bits.inField |= static_cast<unsigned>(!IsFieldSeparator(block[i])) << i;
        bits.ends |= static_cast<unsigned>(EndsFieldLine(block[i])) << i;
    }
    return bits;
#endif
}

#if defined(KELVANE_WIDE_BLOCKS)
// The same sixteen units in one register where the processor has AVX2: the
// two comparisons' results are packed side by side, blanks then line ends.
__attribute__((target("avx2"))) BlockBits ClassifyWide(const TZChar *block) noexcept {
    const __m256i units = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(block));
    const __m256i blanks =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi16(units, _mm256_set1_epi16(0x20)),
                                        _mm256_cmpeq_epi16(units, _mm256_set1_epi16(0x09))),
                        _mm256_cmpeq_epi16(units, _mm256_set1_epi16(kLineFeed)));
    const __m256i ends = _mm256_or_si256(_mm256_cmpeq_epi16(units, _mm256_set1_epi16(kCarriageReturn)),
                                         _mm256_cmpeq_epi16(units, _mm256_setzero_si256()));
    // Packing works per 128-bit lane; the permutation puts the halves in order.
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi16(blanks, ends), 0xD8);
    const auto bits = static_cast<unsigned>(_mm256_movemask_epi8(packed));
    return {~bits & 0xFFFFu, bits >> 16};
}
#endif

// Runs of blanks pad the catalogue's numeric columns: after the first two
// units, eight at a time where the processor compares them at once.
const TZChar *SkipSeparators(const TZChar *p, const TZChar *end) noexcept {
    for (int single = 0; single < 2; ++single, ++p) {
        if (p == end || !IsFieldSeparator(*p)) return p;
    }
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(0x20), tab = _mm_set1_epi16(0x09), feed = _mm_set1_epi16(kLineFeed);
    for (; end - p >= 8; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i blanks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, space), _mm_cmpeq_epi16(units, tab)),
                                            _mm_cmpeq_epi16(units, feed));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(blanks));
        if (mask != 0xFFFFu) return p + std::countr_one(mask) / 2;
    }
#endif
    while (p != end && IsFieldSeparator(*p)) ++p;
    return p;
}
}  // namespace

std::uint16_t SplitFields(TextView line, FieldBuffer *fields, std::uint16_t limit) noexcept {
    const TZChar *p = line.data(), *end = p + line.size();
    std::uint16_t stored = 0;
    for (;;) {
        p = SkipSeparators(p, end);
        if (p == end || EndsFieldLine(*p) || stored == limit) return stored;
        std::size_t ignored;
        p = TakeField(p, end, fields[stored++], &ignored);
    }
}

namespace {
// A field begins at every unit of a field whose predecessor is not; the
// first unit that ends the line ends the search, and the units past the
// line's end count as such.
template <BlockBits (*ClassifyBlock)(const TZChar *) noexcept>
[[gnu::always_inline]] inline std::uint16_t LocateWith(TextView line, FieldMap *map, std::uint16_t limit) noexcept {
    unsigned found = 0;
    unsigned carry = 0;  // 1 when the unit before the block belongs to a field
    std::size_t b = 0;
    for (std::size_t at = 0; at < line.size(); at += kBlockUnits) {
        BlockBits bits = ClassifyBlock(line.data() + at);
        if (line.size() - at < kBlockUnits) bits.ends |= ~0u << (line.size() - at);
        unsigned begins = bits.inField & ~((bits.inField << 1) | carry);
        if (bits.ends != 0) begins &= (bits.ends & (0u - bits.ends)) - 1;
        map->begins[b] = static_cast<std::uint16_t>(begins);
        map->before[b++] = static_cast<std::uint8_t>(found);
        found += static_cast<unsigned>(std::popcount(begins));
        if (bits.ends != 0) break;
        carry = (bits.inField >> (kBlockUnits - 1)) & 1u;
    }
    if (b < FieldMap::kBlocks) map->before[b] = 0xFF;
    return static_cast<std::uint16_t>(found < limit ? found : limit);
}

#if defined(KELVANE_WIDE_BLOCKS)
__attribute__((target("avx2,popcnt"))) std::uint16_t LocateFieldsWide(TextView line, FieldMap *map,
                                                                       std::uint16_t limit) noexcept {
    return LocateWith<ClassifyWide>(line, map, limit);
}
#endif

std::uint16_t LocateFieldsNarrow(TextView line, FieldMap *map, std::uint16_t limit) noexcept {
    return LocateWith<Classify>(line, map, limit);
}
}  // namespace

LocateFunction ChooseLocateFields() noexcept {
#if defined(KELVANE_WIDE_BLOCKS)
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt")) return LocateFieldsWide;
#endif
    return LocateFieldsNarrow;
}

std::uint16_t LocateFields(TextView line, FieldMap *map, std::uint16_t limit) noexcept {
    return ChooseLocateFields()(line, map, limit);
}

std::size_t CopyField(const TZChar *p, const TZChar *end, TZChar *out) noexcept {
    std::size_t length;
    TakeField(p, end, out, &length);
    return length;
}

bool FieldBeginsWith(const TZChar *p, const TZChar *end, const TZChar *prefix) noexcept {
    for (std::size_t i = 0; prefix[i] != 0; ++i, ++p) {
        if (i == kFieldUnits - 1 || p == end) return false;
        TZChar c = *p;
        if (!IsOrdinary(c)) {
            if (IsFieldSeparator(c) || EndsFieldLine(c)) return false;
            if (c == kDollar) c = 0x20;
        }
        if (c != prefix[i]) return false;
    }
    return true;
}

bool FieldParser::Init() noexcept {
    hasLine_ = false;
    lineLength_ = 0;
    storage_ = static_cast<Storage *>(Allocate(sizeof(Storage)));
    return storage_ != nullptr;
}

void FieldParser::Release() noexcept {
    kelvane::Release(storage_);
    storage_ = nullptr;
    hasLine_ = false;
    lineLength_ = 0;
}

bool FieldParser::SetLine(const TZChar *text) noexcept {
    hasLine_ = false;
    lineLength_ = 0;
    if (storage_ == nullptr || text == nullptr) return false;
    std::size_t length = 0;
    while (length < kLineUnits && text[length] != 0) {
        storage_->line[length] = text[length];
        ++length;
    }
    if (length == 0) return false;
    storage_->line[length] = 0;
    lineLength_ = static_cast<std::uint32_t>(length);
    hasLine_ = true;
    return true;
}

bool FieldParser::Split(FieldBuffer *fields, std::uint16_t *count) noexcept {
    if (!hasLine_ || fields == nullptr || count == nullptr) return false;
    const std::uint16_t limit = *count < kMaxFields ? *count : kMaxFields;
    *count = SplitFields(TextView(storage_->line, lineLength_), fields, limit);
    return true;
}

FieldBuffer *FieldParser::GetFields() noexcept { return storage_ != nullptr ? storage_->fields : nullptr; }

void ParserDeleter::operator()(FieldParser *parser) const noexcept {
    if (parser == nullptr) return;
    parser->Release();
    kelvane::Release(parser);
}

ParserHandle CreateFieldParser() noexcept {
    void *block = Allocate(sizeof(FieldParser));
    if (block == nullptr) return ParserHandle();
    ParserHandle parser(new (block) FieldParser());
    if (!parser->Init()) return ParserHandle();
    return parser;
}

}  // namespace kelvane
