#include "record/field_parser.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane {
namespace {
constexpr TZChar kCarriageReturn = 0x0D;
constexpr TZChar kLineFeed = 0x0A;
constexpr TZChar kDollar = u'$';

// Every unit above '$' is an ordinary character: one comparison decides it.
bool IsOrdinary(TZChar c) noexcept { return c > kDollar; }
bool IsSeparator(TZChar c) noexcept { return c == 0x20 || c == 0x09 || c == kLineFeed; }
bool EndsLine(TZChar c) noexcept { return c == 0 || c == kCarriageReturn; }

// Copies the field starting at p into out (63 units kept, '$' as a space,
// the rest dropped) and returns where it ends.
const TZChar *TakeField(const TZChar *p, const TZChar *end, TZChar *out) noexcept {
    std::size_t n = 0;
    for (; p != end; ++p) {
        TZChar c = *p;
        if (!IsOrdinary(c)) {
            if (IsSeparator(c) || EndsLine(c)) break;
            if (c == kDollar) c = 0x20;
        }
        if (n < kFieldUnits - 1) out[n++] = c;
    }
    out[n] = 0;
    return p;
}

// Runs of blanks pad the catalogue's numeric columns: after the first two
// units, eight at a time where the processor compares them at once.
const TZChar *SkipSeparators(const TZChar *p, const TZChar *end) noexcept {
    for (int single = 0; single < 2; ++single, ++p) {
        if (p == end || !IsSeparator(*p)) return p;
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
    while (p != end && IsSeparator(*p)) ++p;
    return p;
}
}  // namespace

std::uint16_t SplitFields(TextView line, FieldBuffer *fields, std::uint16_t limit) noexcept {
    const TZChar *p = line.data(), *end = p + line.size();
    std::uint16_t stored = 0;
    for (;;) {
        p = SkipSeparators(p, end);
        if (p == end || EndsLine(*p) || stored == limit) return stored;
        p = TakeField(p, end, fields[stored++]);
    }
}

bool IsCommentLine(TextView line) noexcept {
    const TZChar *p = SkipSeparators(line.data(), line.data() + line.size());
    return p != line.data() + line.size() && *p == u';';
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
