#include "record/line_list.h"

namespace kelvane {
namespace {
// Writes value's decimal digits, most significant first, into digits[10].
std::size_t DecimalDigits(std::uint32_t value, char *digits) noexcept {
    char reversed[10];
    std::size_t n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (std::size_t i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
    return n;
}
}  // namespace

LineBuilder &LineBuilder::Unit(TZChar unit) noexcept {
    if (length_ < kFileLineUnits - 1) {
        slot_[length_++] = unit;
        slot_[length_] = 0;
    }
    return *this;
}

LineBuilder &LineBuilder::Text(TextView text) noexcept {
    const std::size_t room = kFileLineUnits - 1 - length_;
    const std::size_t n = text.size() < room ? text.size() : room;
    for (std::size_t i = 0; i < n; ++i) slot_[length_ + i] = text[i];
    length_ += n;
    slot_[length_] = 0;
    return *this;
}

// A tab or line break would split the field or the line; like a space, it is
// written as '$' (and reads back as a space).
LineBuilder &LineBuilder::FieldText(TextView text) noexcept {
    for (TZChar c : text) {
        const bool separator = c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
        Unit(separator ? TZChar(u'$') : c);
    }
    return *this;
}

LineBuilder &LineBuilder::Digits(const char *digits, std::size_t count, int width, char fill) noexcept {
    for (int pad = width - static_cast<int>(count); pad > 0; --pad) Unit(static_cast<TZChar>(fill));
    for (std::size_t i = 0; i < count; ++i) Unit(static_cast<TZChar>(digits[i]));
    return *this;
}

LineBuilder &LineBuilder::Unsigned(std::uint32_t value, int width, bool zeroFill) noexcept {
    char digits[10];
    const std::size_t n = DecimalDigits(value, digits);
    return Digits(digits, n, width, zeroFill ? '0' : ' ');
}

LineBuilder &LineBuilder::Signed(std::int32_t value, int width) noexcept {
    char digits[11];
    const bool negative = value < 0;
    const std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::size_t n = 0;
    if (negative) digits[n++] = '-';
    n += DecimalDigits(magnitude, digits + n);
    return Digits(digits, n, width, ' ');
}

LineBuilder &LineBuilder::Hex(std::uint32_t value, int digitsWanted) noexcept {
    static constexpr char kHex[] = "0123456789ABCDEF";
    char reversed[8];
    std::size_t n = 0;
    do {
        reversed[n++] = kHex[value & 0xF];
        value >>= 4;
    } while (value != 0);
    char digits[8];
    for (std::size_t i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
    return Digits(digits, n, digitsWanted, '0');
}

Result LineList::Allocate() noexcept {
    const std::size_t pointerBytes = kMaxFileLines * sizeof(TZChar *);
    block_ = AllocateArray<unsigned char>(pointerBytes + kMaxFileLines * kFileLineUnits * sizeof(TZChar));
    if (!block_) return Result::NoMemory;
    lines_ = reinterpret_cast<TZChar **>(block_.get());
    auto *slots = reinterpret_cast<TZChar *>(block_.get() + pointerBytes);
    for (std::uint16_t i = 0; i < kMaxFileLines; ++i) {
        lines_[i] = slots + i * kFileLineUnits;
        lines_[i][0] = 0;
    }
    count_ = 0;
    return Result::Ok;
}

LineBuilder LineList::Add() noexcept {
    if (lines_ == nullptr || count_ == kMaxFileLines) return LineBuilder(overflow_);
    return LineBuilder(lines_[count_++]);
}

void AppendSeparator(LineList &lines) noexcept {
    LineBuilder line = lines.Add();
    line.Unit(u';');
    for (int i = 0; i < 109; ++i) line.Unit(u'-');
    line.Text(kCrLf);
}

namespace {
void AppendStarLine(LineList &lines) noexcept {
    LineBuilder line = lines.Add();
    line.Text(KT(";/"));
    for (int i = 0; i < 73; ++i) line.Unit(u'*');
    line.Text(KT("/\r\n"));
}

// ";/* " text " */", the text padded so the frame stays straight.
void AppendFrameLine(LineList &lines, TextView text) noexcept {
    LineBuilder line = lines.Add();
    line.Text(KT(";/* ")).Text(text);
    for (std::size_t width = text.size(); width < 69; ++width) line.Unit(u' ');
    line.Text(KT(" */\r\n"));
}

constexpr const TZChar *kOwnershipNotice[9] = {
    KT("Kelvane time-zone engine: data file"),
    KT("Copyright (c) Kelvane. All rights reserved."),
    KT("This file is read and rewritten by the Kelvane engine."),
    KT("Every change the engine makes rewrites the whole file."),
    KT("Lines beginning with ';' are comments and are skipped."),
    KT("Fields are separated by tabs or spaces; '$' stands for a space."),
    KT("Text is UTF-16 little-endian with a byte-order mark."),
    KT("A line holds at most 254 characters, a field at most 63."),
    KT("Edit with care: malformed lines are skipped without a report."),
};
}  // namespace

void AppendBanner(LineList &lines) noexcept {
    const TextView blank;
    AppendStarLine(lines);
    AppendFrameLine(lines, blank);
    AppendFrameLine(lines, kOwnershipNotice[0]);
    AppendFrameLine(lines, kOwnershipNotice[1]);
    AppendFrameLine(lines, blank);
    for (int i = 2; i < 9; ++i) AppendFrameLine(lines, kOwnershipNotice[i]);
    AppendFrameLine(lines, blank);
    AppendStarLine(lines);
    lines.Add().Text(kCrLf);
    AppendSeparator(lines);
}

}  // namespace kelvane
