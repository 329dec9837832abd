#include "names/language_table.h"

#include "platform/platform.h"

namespace kelvane {
namespace {
constexpr unsigned kExact = 0, kNoMatch = 4;

// Chinese is split by script, not by region: Hong Kong and Macao write the
// traditional characters of Taiwan (1028), Singapore the simplified ones of
// the mainland (2052). The primary default (0x404, Taiwan) would be wrong
// for Singapore.
std::uint16_t ScriptVariantOf(std::uint16_t langId) noexcept {
    switch (langId) {
    case 3076:
    case 5124: return 1028;
    case 4100: return 2052;
    default: return 0;
    }
}

constexpr std::uint16_t PrimaryLanguage(std::uint16_t langId) noexcept { return langId & 0x3FF; }

// How well a listed language serves the wanted one, best first: the same
// identifier, its script variant, its primary language's default, any
// region of its primary language.
unsigned MatchRank(std::uint16_t listed, std::uint16_t wanted, bool fallback) noexcept {
    if (listed == wanted) return kExact;
    if (!fallback) return kNoMatch;
    if (const std::uint16_t script = ScriptVariantOf(wanted); script != 0 && listed == script) return 1;
    if (listed == (0x400 | PrimaryLanguage(wanted))) return 2;
    if (PrimaryLanguage(listed) == PrimaryLanguage(wanted)) return 3;
    return kNoMatch;
}

// The first line of the best rank the table holds for langId.
Result FindLanguage(RecordReader &reader, std::uint16_t langId, bool fallback, LangDef *def) noexcept {
    unsigned best = kNoMatch;
    LangDef found{};
    const Result read = reader.Read(kLanguageFile, kLanguageMinFields, [&](const RecordLine &line) noexcept {
        const unsigned rank = MatchRank(line.U16(0), langId, fallback);
        if (rank >= best) return true;
        best = rank;
        found.LangID = line.U16(0);
        CopyText(found.FileName, line.Text(1));
        return rank != kExact;
    });
    if (read != Result::Ok) return read;
    if (best == kNoMatch) return Result::NotFound;
    *def = found;
    return Result::Ok;
}

// The platform's interface language; 0 when it reports none.
std::uint16_t UserLanguage() noexcept { return CurrentPlatform().GetUserDefaultUILanguage(); }
}  // namespace

Result ResolveLanguage(RecordReader &reader, std::uint16_t langId, LangDef *def) noexcept {
    if (def == nullptr) return Result::Param;
    if (langId == 0) langId = UserLanguage();
    if (langId == 0) return Result::NoLanguage;
    return FindLanguage(reader, langId, false, def);
}

Result ResolveUserLanguage(RecordReader &reader, LangDef *def) noexcept {
    if (def == nullptr) return Result::Param;
    const std::uint16_t langId = UserLanguage();
    if (langId == 0) return Result::NoLanguage;
    return FindLanguage(reader, langId, true, def);
}

Result ResolveLanguage(std::uint16_t langId, LangDef *def) noexcept {
    if (def == nullptr) return Result::Param;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return langId == 0 ? ResolveUserLanguage(reader, def) : ResolveLanguage(reader, langId, def);
}

Result ListLanguages(RecordReader &reader, std::uint16_t *count, std::uint16_t *ids) noexcept {
    if (count == nullptr || ids == nullptr) return Result::Param;
    *count = 0;
    std::uint16_t listed = 0;
    const Result read = reader.Read(kLanguageFile, kLanguageMinFields, [&](const RecordLine &line) noexcept {
        // The caller's arrays have room for TZ_MAX_LANGUAGES entries; later lines are left out.
        if (listed == TZ_MAX_LANGUAGES) return false;
        ids[listed++] = line.U16(0);
        return true;
    });
    if (read != Result::Ok) return read;
    if (listed == 0) return Result::NotFound;
    *count = listed;
    return Result::Ok;
}

Result ListLanguages(std::uint16_t *count, std::uint16_t *ids) noexcept {
    if (count == nullptr || ids == nullptr) return Result::Param;
    *count = 0;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return ListLanguages(reader, count, ids);
}

}  // namespace kelvane
