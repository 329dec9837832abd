// The field-line parser: one data-file line in, up to 32 blank-separated
// fields out.
//
// Space, tab and line feed separate fields; a carriage return ends the line;
// '$' inside a field stands for a space. A field keeps its first 63 units
// (the rest is dropped, never spilled into the next field) and a line its
// first 255. The parser owns one line buffer and 32 field buffers, allocated
// once when it is created and reused for every line of every file a call
// reads, so taking a line never needs memory and never fails for want of it.
//
// The read loop locates a line's fields where the line reader holds it
// (LocateFields) and copies or converts only the fields a reader asks for;
// SetLine and Split copy every field through the parser's own copy of the line.
#pragma once

#include <bit>
#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/memory.h"

namespace kelvane {

inline constexpr std::uint16_t kMaxFields = 32;
inline constexpr std::size_t kFieldUnits = 64;  // 63 characters and the terminator
inline constexpr std::size_t kLineUnits = 255;  // longest line SetLine keeps

using FieldBuffer = TZChar[kFieldUnits];

// Splits line (which ends at its first NUL, if any) into at most limit
// fields; returns how many were stored.
std::uint16_t SplitFields(TextView line, FieldBuffer *fields, std::uint16_t limit) noexcept;

// Space, tab and line feed separate fields; a NUL or a carriage return ends
// the line.
inline bool IsFieldSeparator(TZChar c) noexcept { return c == 0x20 || c == 0x09 || c == 0x0A; }
inline bool EndsFieldLine(TZChar c) noexcept { return c == 0 || c == 0x0D; }

// Where the line's first field begins, or null when it has none. Unit by
// unit: a data line's first field follows a few blanks at most, and every
// line read asks for it.
inline const TZChar *FirstFieldStart(TextView line) noexcept {
    const TZChar *p = line.data(), *end = p + line.size();
    while (p != end && IsFieldSeparator(*p)) ++p;
    return p != end && !EndsFieldLine(*p) ? p : nullptr;
}

// Where a line's fields begin: one bit a unit in blocks of sixteen units,
// and how many fields begin before each block. Only the fields a reader asks
// for are ever picked out of it.
struct FieldMap {
    static constexpr std::size_t kBlockUnits = 16;
    static constexpr std::size_t kBlocks = 16;  // 256 units, more than a line holds
    std::uint16_t begins[kBlocks];
    std::uint8_t before[kBlocks];  // past the last block looked at: 255

    // The offset of field i's first unit; i below the count LocateFields gave.
    std::size_t Start(std::uint16_t i) const noexcept {
        std::size_t b = 0;
        while (b + 1 < kBlocks && before[b + 1] <= i) ++b;
        unsigned bits = begins[b];
        for (unsigned skip = i - before[b]; skip > 0; --skip) bits &= bits - 1;
        return b * kBlockUnits + static_cast<std::size_t>(std::countr_zero(bits));
    }
};

// Where SplitFields would find the line's fields, copying nothing: their
// starts into map; returns how many fields SplitFields would store with this
// limit. The line (at most 255 units) is read in blocks of 16 units, so up
// to 15 units past its end must be readable (their values do not matter):
// the line reader's pieces are.
std::uint16_t LocateFields(TextView line, FieldMap *map, std::uint16_t limit) noexcept;
// The same, in the widest form the processor has: for a reader that locates
// the fields of many lines and so chooses once.
using LocateFunction = std::uint16_t (*)(TextView line, FieldMap *map, std::uint16_t limit) noexcept;
LocateFunction ChooseLocateFields() noexcept;

// The field beginning at p (before end) as SplitFields stores it, into out
// (kFieldUnits units); returns its length.
std::size_t CopyField(const TZChar *p, const TZChar *end, TZChar *out) noexcept;
// Whether that field, as CopyField stores it, begins with prefix (ended by
// NUL), without copying it.
bool FieldBeginsWith(const TZChar *p, const TZChar *end, const TZChar *prefix) noexcept;

class FieldParser {
public:
    // The five operations, in their order.
    bool Init() noexcept;
    void Release() noexcept;
    bool Split(FieldBuffer *fields, std::uint16_t *count) noexcept;
    bool SetLine(const TZChar *text) noexcept;
    FieldBuffer *GetFields() noexcept;

private:
    struct Storage {
        TZChar line[kLineUnits + 1];
        FieldBuffer fields[kMaxFields];
    };
    Storage *storage_ = nullptr;
    bool hasLine_ = false;
    std::uint32_t lineLength_ = 0;
};

struct ParserDeleter {
    void operator()(FieldParser *parser) const noexcept;
};
using ParserHandle = std::unique_ptr<FieldParser, ParserDeleter>;

// A ready parser, or empty when memory ran out.
ParserHandle CreateFieldParser() noexcept;

}  // namespace kelvane
