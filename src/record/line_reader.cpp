#include "record/line_reader.h"

namespace kelvane {
namespace {
constexpr TZChar kByteOrderMark = 0xFEFF;
constexpr TZChar kLineFeed = 0x0A;
}  // namespace

LineReader::LineReader(Platform &platform, FileHandle file, unsigned char *chunk) noexcept
    : platform_(platform), file_(file), chunk_(chunk) {}

// Keeps an unpaired byte at the front and reads more behind it.
bool LineReader::Refill() noexcept {
    if (exhausted_) return false;
    const std::size_t carried = end_ - position_;
    if (carried == 1) chunk_[0] = chunk_[position_];
    position_ = 0;
    end_ = carried;
    const std::int64_t n = platform_.ReadFile(file_, chunk_ + carried, kReadChunkBytes - carried);
    if (n <= 0) {
        exhausted_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
}

bool LineReader::NextUnit(TZChar *unit) noexcept {
    while (end_ - position_ < 2) {
        if (!Refill()) return false;
    }
    *unit = static_cast<TZChar>(chunk_[position_] | (chunk_[position_ + 1] << 8));
    position_ += 2;
    return true;
}

bool LineReader::Next(TZChar *piece) noexcept {
    std::size_t length = 0;
    TZChar unit = 0;
    while (length < kLinePieceUnits - 1 && NextUnit(&unit)) {
        if (atStart_) {
            atStart_ = false;
            if (unit == kByteOrderMark) continue;
        }
        piece[length++] = unit;
        if (unit == kLineFeed) break;
    }
    piece[length] = 0;
    return length > 0;
}

}  // namespace kelvane
