#include "record/line_reader.h"

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/wide_blocks.h"

namespace kelvane {
namespace {
constexpr TZChar kByteOrderMark = 0xFEFF;
constexpr TZChar kLineFeed = 0x0A;

// The first line feed in [begin, end), or end: eight units at a time where
// the processor compares them at once, else four at a time in a 64-bit word
// (a lane equal to the line feed becomes zero, and a zero lane sets its top
// bit).
const TZChar *FindLineFeed(const TZChar *begin, const TZChar *end) noexcept {
    const TZChar *p = begin;
#if defined(__SSE2__)
    const __m128i feeds = _mm_set1_epi16(kLineFeed);
    for (; end - p >= 8; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int hits = _mm_movemask_epi8(_mm_cmpeq_epi16(units, feeds));
        if (hits != 0) return p + std::countr_zero(static_cast<unsigned>(hits)) / 2;
    }
#else
    constexpr std::uint64_t kOnes = 0x0001000100010001u, kTops = 0x8000800080008000u, kFeeds = kOnes * kLineFeed;
    for (; end - p >= 4; p += 4) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        word ^= kFeeds;
        if (((word - kOnes) & ~word & kTops) != 0) break;
    }
#endif
    while (p != end && *p != kLineFeed) ++p;
    return p;
}

#if defined(KELVANE_WIDE_BLOCKS)
// Sixteen units at a time where the processor has AVX2. The chunk's slack
// makes the block past end readable; what lies there is masked off.
__attribute__((target("avx2"))) const TZChar *FindLineFeedWide(const TZChar *p, const TZChar *end) noexcept {
    const __m256i feeds = _mm256_set1_epi16(kLineFeed);
    for (;; p += 16) {
        const __m256i units = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
        auto hits = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi16(units, feeds)));
        const auto left = static_cast<std::size_t>(end - p);
        if (left < 16) hits &= (1u << (2 * left)) - 1;
        if (hits != 0) return p + std::countr_zero(hits) / 2;
        if (left <= 16) return end;
    }
}
#endif

// The widest search the processor has, chosen once per reader.
LineReader::FindFunction ChooseFind() noexcept {
#if defined(KELVANE_WIDE_BLOCKS)
    if (__builtin_cpu_supports("avx2")) return FindLineFeedWide;
#endif
    return FindLineFeed;
}

// The file holds little-endian units; a big-endian host turns them round.
void ToHostOrder(TZChar *units, std::size_t count) noexcept {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i) units[i] = static_cast<TZChar>((units[i] >> 8) | (units[i] << 8));
    } else {
        (void)units;
        (void)count;
    }
}
}  // namespace

LineReader::LineReader(Platform &platform, FileHandle file, TZChar *chunk) noexcept
    : platform_(platform), file_(file), chunk_(chunk), find_(ChooseFind()) {}

// Moves what is left (a partial piece and an unpaired byte) to the front and
// reads more behind it.
bool LineReader::Refill() noexcept {
    auto *bytes = reinterpret_cast<unsigned char *>(chunk_);
    const std::size_t carried = bytesHeld_ - 2 * position_;
    std::memmove(bytes, bytes + 2 * position_, carried);
    position_ = 0;
    bytesHeld_ = carried;
    const std::int64_t n = platform_.ReadFile(file_, bytes + carried, 2 * (kReadChunkUnits - kChunkSlackUnits) - carried);
    if (n <= 0) {
        exhausted_ = true;
        failed_ = n < 0;
        return false;
    }
    const std::size_t unitsBefore = UnitsHeld();
    bytesHeld_ += static_cast<std::size_t>(n);
    ToHostOrder(chunk_ + unitsBefore, UnitsHeld() - unitsBefore);
    return true;
}

bool LineReader::NextAtEdge(TextView *piece) noexcept {
    for (;;) {
        if (failed_) return false;
        const std::size_t available = UnitsHeld() - position_;
        if (atStart_ && available > 0) {
            atStart_ = false;
            if (chunk_[position_] == kByteOrderMark) ++position_;
            continue;
        }
        const TZChar *begin = chunk_ + position_;
        const std::size_t window = available < kMaxPieceUnits ? available : kMaxPieceUnits;
        const TZChar *feed = window == 0 ? begin : find_(begin, begin + window);
        std::size_t length = 0;
        if (feed != begin + window)
            length = static_cast<std::size_t>(feed - begin) + 1;
        else if (window == kMaxPieceUnits || (exhausted_ && window > 0))
            length = window;
        if (length > 0) {
            position_ += length;
            *piece = TextView(begin, length);
            return true;
        }
        if (exhausted_ || !Refill()) {
            if (failed_ || UnitsHeld() == position_) return false;
        }
    }
}

}  // namespace kelvane
