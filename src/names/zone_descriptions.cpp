#include "names/zone_descriptions.h"

#include "catalogue/catalogue_files.h"

namespace kelvane {
namespace {
// Index of the first slot asking for id, or count when none does.
std::uint16_t SlotOf(const std::uint16_t *ids, std::uint16_t count, std::uint16_t id) noexcept {
    std::uint16_t i = 0;
    while (i < count && ids[i] != id) ++i;
    return i;
}
}  // namespace

void FillDescription(const RecordLine &line, TZDesc *desc) noexcept {
    desc->TZID = line.U16(0);
    CopyText(desc->Desc1, line.Text(1));
    CopyText(desc->Desc2, line.Text(2));
    CopyText(desc->Desc3, line.Text(3));
    CopyText(desc->Desc4, line.Text(4));
}

void FillUserDescription(const RecordLine &line, TZDesc *desc) noexcept {
    desc->TZID = LineZoneId(line);
    const TextView detail = line.Text(kDetailField);
    CopyText(desc->Desc1, detail);
    CopyText(desc->Desc2, detail);
    CopyText(desc->Desc3, detail);
    CopyText(desc->Desc4, detail);
}

Result ReadZoneDescriptions(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count,
                            TZDesc *descs) noexcept {
    const Result user = reader.Read(kUserCatalogueFile, kUserZoneMinFields, [&](const RecordLine &line) noexcept {
        const std::uint16_t i = SlotOf(ids, count, LineZoneId(line));
        if (i < count) FillUserDescription(line, &descs[i]);
        return true;
    });
    if (user != Result::Ok) return user;
    return ReadLanguageDescriptions(reader, ids, count, descs);
}

Result ReadLanguageDescriptions(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count,
                                TZDesc *descs) noexcept {
    return ReadLanguageFile(reader, [&](const RecordLine &line) noexcept {
        const std::uint16_t i = SlotOf(ids, count, line.U16(0));
        if (i < count) FillDescription(line, &descs[i]);
    });
}

Result ReadZoneDescriptions(const std::uint16_t *ids, std::uint16_t count, TZDesc *descs) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return ReadZoneDescriptions(reader, ids, count, descs);
}

}  // namespace kelvane
