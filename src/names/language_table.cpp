#include "names/language_table.h"

#include "platform/platform.h"

namespace kelvane {

Result ResolveLanguage(RecordReader &reader, std::uint16_t langId, LangDef *def) noexcept {
    if (def == nullptr) return Result::Param;
    if (langId == 0) {
        langId = CurrentPlatform().GetUserDefaultUILanguage();
        if (langId == 0) return Result::NoLanguage;
    }
    Result found = Result::NotFound;
    auto ofLanguage = [&](std::uint16_t id) noexcept { return id == langId; };
    const Result read = reader.ReadWhere(kLanguageFile, kLanguageMinFields, ofLanguage, [&](const RecordLine &line) noexcept {
        def->LangID = langId;
        CopyText(def->FileName, line.Text(1));
        found = Result::Ok;
        return false;
    });
    return read != Result::Ok ? read : found;
}

Result ResolveLanguage(std::uint16_t langId, LangDef *def) noexcept {
    if (def == nullptr) return Result::Param;
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return ResolveLanguage(reader, langId, def);
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
