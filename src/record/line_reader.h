// Reads UTF-16LE lines from a data file exactly as the device's C runtime
// does with fgetws and a limit of 255 on a binary stream: at most 254 units a
// piece, line feed included, so a longer physical line arrives in pieces; a
// trailing odd byte is dropped. Unlike the runtime it drops a byte-order mark
// at the very start of the file, so a data line right after it reads like any
// other. A read error ends the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"
#include "platform/platform.h"

namespace kelvane {

inline constexpr std::size_t kLinePieceUnits = 255;  // 254 units and the terminator
inline constexpr std::size_t kReadChunkBytes = 16384;

class LineReader {
public:
    // chunk: a scratch buffer of kReadChunkBytes owned by the caller.
    LineReader(Platform &platform, FileHandle file, unsigned char *chunk) noexcept;

    // Fills piece (kLinePieceUnits units, terminated); false once the file is exhausted.
    bool Next(TZChar *piece) noexcept;

private:
    bool NextUnit(TZChar *unit) noexcept;
    bool Refill() noexcept;

    Platform &platform_;
    FileHandle file_;
    unsigned char *chunk_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    bool atStart_ = true;
};

}  // namespace kelvane
