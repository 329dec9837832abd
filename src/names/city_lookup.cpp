// A data line is the zone number, then three texts of 30, 20 and 10 units of
// room; the caller's arrays take them in the order field 2, field 4, field 3.
#include "names/city_lookup.h"

#include "names/room_text.h"
#include "record/record_reader.h"

namespace kelvane {
namespace {
constexpr const TZChar *kCityFile = KT("TZ_CityZoneNum.ini");
constexpr std::uint16_t kCityMinFields = 4;
constexpr std::size_t kField2Room = 30;
constexpr std::size_t kField3Room = 20;
constexpr std::size_t kField4Room = 10;
}  // namespace

Result ReadCities(uint16_t zoneNum, uint16_t capacity, const CityRooms &rooms, uint16_t *count) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    Result stored = Result::Ok;
    auto ofZone = [&](uint16_t number) noexcept { return number == zoneNum; };
    const Result read = reader.ReadWhere(kCityFile, kCityMinFields, ofZone, [&](const RecordLine &line) noexcept {
        if (*count == capacity) return false;
        const uint16_t n = *count;
        if (rooms.field2[n] == nullptr || rooms.field4[n] == nullptr || rooms.field3[n] == nullptr) {
            stored = Result::Param;
            return false;
        }
        CopyIntoRoom(rooms.field2[n], kField2Room, line.Text(1));
        CopyIntoRoom(rooms.field4[n], kField4Room, line.Text(3));
        CopyIntoRoom(rooms.field3[n], kField3Room, line.Text(2));
        *count = n + 1;
        return *count < capacity;
    });
    if (read != Result::Ok) return read;
    if (stored != Result::Ok) return stored;
    return *count > 0 ? Result::Ok : Result::NotFound;
}
}  // namespace kelvane
