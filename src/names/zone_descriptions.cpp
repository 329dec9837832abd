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
    auto asked = [&](std::uint16_t id) noexcept { return SlotOf(ids, count, id) < count; };
    const Result user = reader.ReadWhere(kUserCatalogueFile, kUserZoneMinFields, asked, [&](const RecordLine &line) noexcept {
        FillUserDescription(line, &descs[SlotOf(ids, count, LineZoneId(line))]);
        return true;
    });
    if (user != Result::Ok) return user;
    return ReadLanguageDescriptions(reader, ids, count, descs);
}

Result ReadLanguageDescriptions(RecordReader &reader, const std::uint16_t *ids, std::uint16_t count,
                                TZDesc *descs) noexcept {
    auto asked = [&](std::uint16_t id) noexcept { return SlotOf(ids, count, id) < count; };
    return ReadLanguageFile(reader, asked, [&](const RecordLine &line) noexcept {
        FillDescription(line, &descs[SlotOf(ids, count, line.U16(0))]);
    });
}

Result ReadZoneDescriptions(const std::uint16_t *ids, std::uint16_t count, TZDesc *descs) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    return ReadZoneDescriptions(reader, ids, count, descs);
}

}  // namespace kelvane
