// Reads UTF-16LE lines from a data file exactly as the device's C runtime
// does with fgetws and a limit of 255 on a binary stream: at most 254 units a
// piece, line feed included, so a longer physical line arrives in pieces; a
// trailing odd byte is dropped. Unlike the runtime it drops a byte-order mark
// at the very start of the file, so a data line right after it reads like any
// other.
//
// The file is read in large chunks into one buffer and each piece is handed
// out where it lies there, found with a word-wide search for the line feed:
// a unit is copied only when a piece spans two chunks. Every piece is
// followed by at least kChunkSlackUnits - 1 readable units of the chunk. A read error is not
// the end of the file: it ends the reading and Failed() says so.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/platform.h"

namespace kelvane {

inline constexpr std::size_t kLinePieceUnits = 255;  // 254 units and the terminator
inline constexpr std::size_t kMaxPieceUnits = kLinePieceUnits - 1;
inline constexpr std::size_t kReadChunkUnits = 8192;  // 16 KB
// Units at the chunk's end never filled, so a piece can always be read in
// whole blocks of this many units (LocateFields), past its end.
inline constexpr std::size_t kChunkSlackUnits = 16;

class LineReader {
public:
    using FindFunction = const TZChar *(*)(const TZChar *begin, const TZChar *end) noexcept;

    // chunk: a scratch buffer of kReadChunkUnits units owned by the caller.
    LineReader(Platform &platform, FileHandle file, TZChar *chunk) noexcept;

    // The next piece (never empty), valid until the next call; false once the
    // file is exhausted or a read failed. Inline for the common case, a whole
    // line already in the chunk.
    bool Next(TextView *piece) noexcept {
        if (!atStart_ && !failed_) {
            const std::size_t available = UnitsHeld() - position_;
            const std::size_t window = available < kMaxPieceUnits ? available : kMaxPieceUnits;
            const TZChar *begin = chunk_ + position_;
            if (window != 0) {
                const TZChar *feed = find_(begin, begin + window);
                if (feed != begin + window) {
                    const auto length = static_cast<std::size_t>(feed - begin) + 1;
                    position_ += length;
                    *piece = TextView(begin, length);
                    return true;
                }
            }
        }
        return NextAtEdge(piece);
    }
    bool Failed() const noexcept { return failed_; }

private:
    // The next piece where the fast path cannot give it: at the start of the
    // file, at a chunk's end, or for a piece cut at its longest.
    bool NextAtEdge(TextView *piece) noexcept;
    bool Refill() noexcept;
    std::size_t UnitsHeld() const noexcept { return bytesHeld_ / 2; }

    Platform &platform_;
    FileHandle file_;
    TZChar *chunk_;
    FindFunction find_;  // the first line feed in [begin, end), or end
    std::size_t position_ = 0;   // next unit to hand out
    std::size_t bytesHeld_ = 0;  // bytes read into the chunk, an odd last byte included
    bool exhausted_ = false;
    bool failed_ = false;
    bool atStart_ = true;
};

}  // namespace kelvane
