#include "names/zone_table.h"

#include "catalogue/zone_list.h"
#include "record/record_reader.h"

namespace kelvane {
namespace {
constexpr const TZChar *kZoneTableFile = KT("TZ_Zone.ini");
constexpr std::uint16_t kZoneTableMinFields = 2;
}  // namespace

Result ReadZoneTable(RecordReader &reader, std::uint16_t *ids, std::uint16_t selection, std::uint16_t *count,
                     const TZChar *groupName) noexcept {
    if (ids == nullptr || count == nullptr || groupName == nullptr) return Result::Param;
    if (*count < TZ_MAX_ZONES) return Result::Param;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    if (selection > kSelectNothing) {
        *count = 0;
        return Result::Ok;
    }
    const TextView group(groupName);
    std::uint16_t n = 0;
    const Result read = reader.Read(kZoneTableFile, kZoneTableMinFields, [&](const RecordLine &line) noexcept {
        if (line.Text(1) == group) ids[n++] = line.U16(0);
        return n < TZ_MAX_ZONES;
    });
    if (read == Result::Ok) *count = n;
    return read;
}

}  // namespace kelvane
