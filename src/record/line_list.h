// The lines of a file being written: up to 512 lines of at most 254 units,
// composed in memory and handed whole to WriteDataFile.
//
// LineBuilder formats a line the way the device's wsprintfW did for the few
// conversions the writers use (%hu with width or zero fill, %ld, %04X), on
// ASCII digits widened to UTF-16; a line is cut at 254 units.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/memory.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::uint16_t kMaxFileLines = 512;
inline constexpr std::size_t kFileLineUnits = 255;

class LineBuilder {
public:
    explicit LineBuilder(TZChar *slot) noexcept : slot_(slot) { slot_[0] = 0; }

    LineBuilder &Text(TextView text) noexcept;
    LineBuilder &Unit(TZChar unit) noexcept;
    // Right-aligned in width columns, blank- or zero-filled.
    LineBuilder &Unsigned(std::uint32_t value, int width = 0, bool zeroFill = false) noexcept;
    LineBuilder &Signed(std::int32_t value, int width = 0) noexcept;
    // Upper-case hexadecimal, at least digits digits.
    LineBuilder &Hex(std::uint32_t value, int digits) noexcept;
    // Text with each space (and tab or line break) written as '$', the data
    // files' way of keeping it in one field on one line.
    LineBuilder &FieldText(TextView text) noexcept;

private:
    LineBuilder &Digits(const char *digits, std::size_t count, int width, char fill) noexcept;
    TZChar *slot_;
    std::size_t length_ = 0;
};

class LineList {
public:
    Result Allocate() noexcept;
    // The next empty line; ignored once the list is full.
    LineBuilder Add() noexcept;
    std::uint16_t Count() const noexcept { return count_; }
    const TZChar *const *Lines() const noexcept { return lines_; }

private:
    Owned<unsigned char[]> block_;
    TZChar **lines_ = nullptr;
    std::uint16_t count_ = 0;
    TZChar overflow_[kFileLineUnits] = {};
};

// The 16-line banner every file the engine writes begins with.
void AppendBanner(LineList &lines) noexcept;
// ";-----…" (a semicolon and 109 hyphens): ends the banner and frames legends.
void AppendSeparator(LineList &lines) noexcept;

inline constexpr const TZChar *kCrLf = KT("\r\n");

}  // namespace kelvane
