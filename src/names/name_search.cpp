// The system zones whose description (the 17th field of a
// TZ_Def.ini line) begins with the given text. The match is code unit by
// code unit, so letter case counts; an empty text matches every such line.
// The user's zones and lines without a description are never found.
#include "names/name_search.h"

#include "catalogue/catalogue_files.h"
#include "names/room_text.h"

namespace kelvane {
namespace {
constexpr std::uint16_t kDescribedLineFields = kDetailField + 1;
constexpr std::size_t kNameRoom = 30;

}  // namespace

// No capacity is passed, so at most TZ_MAX_SYSTEM_ZONES matches (the most the
// catalogue lists) are stored.
Result SearchCatalogue(const TZChar *name, uint16_t *count, uint16_t *ids, TZChar **names) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    Result stored = Result::Ok;
    const Result read = reader.Read(kSystemCatalogueFile, kDescribedLineFields, [&](const RecordLine &line) noexcept {
        if (!line.BeginsWith(kDetailField, name)) return true;
        if (names[*count] == nullptr) {
            stored = Result::Param;
            return false;
        }
        ids[*count] = LineZoneId(line);
        CopyIntoRoom(names[*count], kNameRoom, line.Text(kDetailField));
        ++*count;
        return *count < TZ_MAX_SYSTEM_ZONES;
    });
    return read != Result::Ok ? read : stored;
}
}  // namespace kelvane
