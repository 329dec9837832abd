// A user zone has one text whatever the language, so it comes back once,
// with language 0, and the language table is not read. Otherwise every
// listed language is resolved in turn and its file read up to the zone's
// first line. At most TZ_MAX_LANGUAGES languages are listed, so the caller's
// arrays of that size are never overrun.
#include "names/all_language_descriptions.h"

#include "catalogue/catalogue_files.h"
#include "names/language_table.h"
#include "names/zone_descriptions.h"

namespace kelvane {
namespace {
// Reads the zone's first TZ_UserDef.ini line into desc; found says whether there was one.
Result FindUserZone(RecordReader &reader, uint16_t tzid, TZDesc *desc, bool *found) noexcept {
    *found = false;
    auto ofZone = [&](uint16_t id) noexcept { return id == tzid; };
    return reader.ReadWhere(kUserCatalogueFile, kUserZoneMinFields, ofZone, [&](const RecordLine &line) noexcept {
        FillUserDescription(line, desc);
        *found = true;
        return false;
    });
}

Result ReadLanguageDescription(RecordReader &reader, uint16_t langId, uint16_t tzid, TZDesc *desc) noexcept {
    LangDef language;
    if (const Result resolved = ResolveLanguage(reader, langId, &language); resolved != Result::Ok) return resolved;
    auto ofZone = [&](uint16_t id) noexcept { return id == tzid; };
    return reader.ReadWhere(language.FileName, kDescriptionMinFields, ofZone, [&](const RecordLine &line) noexcept {
        FillDescription(line, desc);
        return false;
    });
}

}  // namespace

Result DescribeInEveryLanguage(uint16_t tzid, uint16_t *langCount, uint16_t *langIds, TZDesc *descs) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    bool userZone = false;
    if (const Result r = FindUserZone(reader, tzid, &descs[0], &userZone); r != Result::Ok) return r;
    if (userZone) {
        *langCount = 1;
        langIds[0] = 0;
        return Result::Ok;
    }
    if (const Result listed = ListLanguages(reader, langCount, langIds); listed != Result::Ok) return listed;
    for (uint16_t k = 0; k < *langCount; ++k) {
        if (const Result r = ReadLanguageDescription(reader, langIds[k], tzid, &descs[k]); r != Result::Ok) return r;
    }
    return Result::Ok;
}

}  // namespace kelvane
