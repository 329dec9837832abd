#include "record/field_parser.h"

namespace kelvane {
namespace {
constexpr TZChar kCarriageReturn = 0x0D;
constexpr TZChar kLineFeed = 0x0A;

bool IsSeparator(TZChar c) noexcept { return c == 0x20 || c == 0x09 || c == kLineFeed; }
bool EndsLine(TZChar c) noexcept { return c == 0 || c == kCarriageReturn || c == kLineFeed; }

// The field being collected; it reaches a field buffer only once it ends.
struct PendingField {
    TZChar text[kFieldUnits];
    std::size_t length = 0;  // characters seen, kept or dropped
};
}  // namespace

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
    const TZChar *line = storage_->line;
    std::uint16_t stored = 0;
    PendingField pending;
    bool full = false;

    auto endField = [&]() noexcept {
        if (stored == limit) {
            full = true;
            return;
        }
        const std::size_t kept = pending.length < kFieldUnits - 1 ? pending.length : kFieldUnits - 1;
        for (std::size_t k = 0; k < kept; ++k) fields[stored][k] = pending.text[k];
        fields[stored][kept] = 0;
        ++stored;
        pending.length = 0;
    };

    for (std::size_t i = 0; i < lineLength_ && !full; ++i) {
        const TZChar c = line[i];
        if (c == kCarriageReturn) break;
        if (IsSeparator(c)) {
            if (pending.length > 0) endField();
            continue;
        }
        if (pending.length < kFieldUnits - 1) pending.text[pending.length] = c == u'$' ? TZChar(0x20) : c;
        ++pending.length;
        if (EndsLine(line[i + 1])) endField();
    }
    *count = stored;
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
