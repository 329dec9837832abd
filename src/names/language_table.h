// Lang_Def.ini: the languages the device offers and, for each, the file that
// holds the zone descriptions in that language.
//
// A data line is LangID (decimal; only the low 16 bits count) and FileName
// (relative to the data directory); further fields are ignored. Line order
// matters: a language listed twice resolves to its first line. An identifier
// asked for explicitly is matched exactly. The user's interface language,
// where the table lacks it, falls back to a language the user reads: its
// script variant (Chinese of Hong Kong, Macao, Singapore), then its primary
// language's default region (0x400 | primary), then the first line of the
// same primary language (id & 0x3FF); so British English finds English.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

inline constexpr const TZChar *kLanguageFile = KT("Lang_Def.ini");
inline constexpr std::uint16_t kLanguageMinFields = 2;

// The first line of langId exactly, or of the user's interface language when
// langId is 0 (exactly too: a table line reading 0 means that language there):
// NoLanguage when the platform reports none, File when the table cannot be
// opened, NotFound when no line carries the language. def is written only on
// success. The first form takes the reader of the calling operation.
Result ResolveLanguage(RecordReader &reader, std::uint16_t langId, LangDef *def) noexcept;
// The user's interface language with the fallbacks above; def->LangID is the
// line's own identifier.
Result ResolveUserLanguage(RecordReader &reader, LangDef *def) noexcept;
// langId 0: the user's language with fallbacks; otherwise exactly.
Result ResolveLanguage(std::uint16_t langId, LangDef *def) noexcept;

// The identifiers of the table's data lines in file order, duplicates
// included, at most TZ_MAX_LANGUAGES of them (ids must hold that many).
// count is 0 on every failure after the argument check; NotFound when the
// table holds no data line.
Result ListLanguages(RecordReader &reader, std::uint16_t *count, std::uint16_t *ids) noexcept;
Result ListLanguages(std::uint16_t *count, std::uint16_t *ids) noexcept;

}  // namespace kelvane
