#include "record/line_reader.h"

#include <bit>
#include <cstring>

namespace kelvane {
namespace {
constexpr TZChar kByteOrderMark = 0xFEFF;
constexpr TZChar kLineFeed = 0x0A;
constexpr std::size_t kMaxPiece = kLinePieceUnits - 1;

// The first line feed in [begin, end), or end. Four units at a time: a lane
// equal to the line feed becomes zero, and a zero lane sets its top bit.
const TZChar *FindLineFeed(const TZChar *begin, const TZChar *end) noexcept {
    constexpr std::uint64_t kOnes = 0x0001000100010001u, kTops = 0x8000800080008000u, kFeeds = kOnes * kLineFeed;
    const TZChar *p = begin;
    for (; end - p >= 4; p += 4) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        word ^= kFeeds;
        if (((word - kOnes) & ~word & kTops) != 0) break;
    }
    while (p != end && *p != kLineFeed) ++p;
    return p;
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
    : platform_(platform), file_(file), chunk_(chunk) {}

// Moves what is left (a partial piece and an unpaired byte) to the front and
// reads more behind it.
bool LineReader::Refill() noexcept {
    auto *bytes = reinterpret_cast<unsigned char *>(chunk_);
    const std::size_t carried = bytesHeld_ - 2 * position_;
    std::memmove(bytes, bytes + 2 * position_, carried);
    position_ = 0;
    bytesHeld_ = carried;
    const std::int64_t n = platform_.ReadFile(file_, bytes + carried, 2 * kReadChunkUnits - carried);
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

bool LineReader::Next(TextView *piece) noexcept {
    for (;;) {
        if (failed_) return false;
        const std::size_t available = UnitsHeld() - position_;
        if (atStart_ && available > 0) {
            atStart_ = false;
            if (chunk_[position_] == kByteOrderMark) ++position_;
            continue;
        }
        const TZChar *begin = chunk_ + position_;
        const std::size_t window = available < kMaxPiece ? available : kMaxPiece;
        const TZChar *feed = FindLineFeed(begin, begin + window);
        std::size_t length = 0;
        if (feed != begin + window)
            length = static_cast<std::size_t>(feed - begin) + 1;
        else if (window == kMaxPiece || (exhausted_ && window > 0))
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
