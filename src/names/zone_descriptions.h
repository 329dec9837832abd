// Zone descriptions: the four display texts of a zone.
//
// A system zone's texts come from the description file of a language (the
// file Lang_Def.ini names for it): a data line is TZID, Desc1 (the name
// selection lists show), Desc2 (the name shown among the compatibility
// zones), Desc3 (the standard-time name) and Desc4 (the daylight-time name).
// A user zone has one text, its Detail in TZ_UserDef.ini, and it serves as
// all four.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "names/language_table.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::uint16_t kDescriptionMinFields = 5;

// Desc1 to Desc4 from fields 2 to 5 of a description-file line.
void FillDescription(const RecordLine &line, TZDesc *desc) noexcept;
// All four texts from the Detail field of a TZ_UserDef.ini line.
void FillUserDescription(const RecordLine &line, TZDesc *desc) noexcept;

// The texts of ids[0..count) in the user's interface language, through the
// reader of the calling operation: TZ_UserDef.ini first, then the language's
// description file; each line fills the first slot asking for its zone and a
// later line overwrites an earlier one, so the description file wins. Slots
// of zones neither file holds stay as they were; that is not a failure.
Result ReadZoneDescriptions(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count,
                            TZDesc *descs) noexcept;

// The same through a reader of its own.
Result ReadZoneDescriptions(const std::uint16_t *ids, std::uint16_t count, TZDesc *descs) noexcept;

// Its second half alone, for a caller that took the user zones' texts from
// its own read of TZ_UserDef.ini: the language's description file.
Result ReadLanguageDescriptions(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count,
                                TZDesc *descs) noexcept;

}  // namespace kelvane

namespace kelvane {

// Every data line of the user's interface language's description file whose
// zone is wanted(TZID), to onLine(const RecordLine &), through the calling
// operation's reader.
template <typename Wanted, typename OnLine>
Result ReadLanguageFile(RecordReader &reader, Wanted &&wanted, OnLine &&onLine) noexcept {
    LangDef language;
    if (const Result resolved = ResolveUserLanguage(reader, &language); resolved != Result::Ok) return resolved;
    return reader.ReadWhere(language.FileName, kDescriptionMinFields, wanted, [&](const RecordLine &line) noexcept {
        onLine(line);
        return true;
    });
}

}  // namespace kelvane
