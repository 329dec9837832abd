#include "frequency/catalogue_check.h"

#include <cstdint>

#include "catalogue/zone_list.h"

namespace kelvane {
namespace {
// One bit for every possible identifier.
class IdSet {
public:
    void Add(std::uint16_t id) noexcept { words_[id >> 6] |= std::uint64_t{1} << (id & 63); }
    bool Holds(std::uint16_t id) const noexcept { return (words_[id >> 6] >> (id & 63)) & 1; }

private:
    std::uint64_t words_[65536 / 64] = {};
};
}  // namespace

Result KeepCatalogueZones(RecordReader &reader, const std::uint16_t *list, std::uint16_t count, std::uint16_t *kept,
                          std::uint16_t *keptCount) noexcept {
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    IdSet catalogue;
    const Result read = ReadListedZones(reader, kSelectWholeCatalogue,
                                        [&](const RecordLine &line, bool) noexcept { catalogue.Add(LineZoneId(line)); });
    if (read != Result::Ok) return read;
    std::uint16_t n = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (catalogue.Holds(list[i])) kept[n++] = list[i];
    }
    *keptCount = n;
    return Result::Ok;
}

Result KeepCatalogueZones(const std::uint16_t *list, std::uint16_t count, std::uint16_t *kept,
                          std::uint16_t *keptCount) noexcept {
    RecordReader reader;
    return KeepCatalogueZones(reader, list, count, kept, keptCount);
}

}  // namespace kelvane
