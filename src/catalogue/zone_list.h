// The catalogue read as a list: system zones first (at most 150, filtered by
// the selection), then the user's Type-3 zones, each group in file order.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "catalogue/catalogue_files.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::uint16_t kSelectCompatibility = 0;
inline constexpr std::uint16_t kSelectWholeCatalogue = 1;
inline constexpr std::uint16_t kSelectNothing = 2;  // accepted; reads TZ_Def.ini and takes no line
inline constexpr std::uint16_t kSelectUserZones = 3;

// Which fields of each record a list read fills: all of them, or TZID,
// Offset and Type alone (a count or a display list needs no more).
enum class ZoneFields : std::uint8_t { Whole, Brief };

// zones: at least TZ_MAX_ZONES records; count: capacity in (at least
// TZ_MAX_ZONES), records filled out, written only on success.
Result LoadTZList(TZInfo *zones, std::uint16_t *count, std::uint16_t selection) noexcept;

// The number of zones LoadTZList would give, with the same checks and
// failures, counted without filling any record.
Result CountTZList(std::uint16_t *count, std::uint16_t selection) noexcept;

// Told of every accepted TZ_UserDef.ini line the list read passes, after the
// line has been listed or not, with the records listed so far.
class UserLineWatcher {
public:
    virtual void OnUserLine(const RecordLine &line, const TZInfo *zones, std::uint16_t listed) noexcept = 0;

protected:
    ~UserLineWatcher() = default;
};

// The same through the calling operation's reader.
Result LoadTZList(RecordReader &reader, TZInfo *zones, std::uint16_t *count, std::uint16_t selection,
                  UserLineWatcher *watcher = nullptr, ZoneFields fields = ZoneFields::Whole) noexcept;

// The lines a list read takes, in list order, through an open reader:
// onZone(line, isUserZone) for each of them, and onUserLine(line, taken)
// after every accepted TZ_UserDef.ini line, taken counting the zones so far.
// The selection is not checked.
template <typename OnZone, typename OnUserLine>
Result ReadListedZones(RecordReader &reader, std::uint16_t selection, OnZone &&onZone,
                       OnUserLine &&onUserLine) noexcept;

// The same without the user lines' notice.
template <typename OnZone>
Result ReadListedZones(RecordReader &reader, std::uint16_t selection, OnZone &&onZone) noexcept {
    return ReadListedZones(reader, selection, onZone, [](const RecordLine &, std::uint16_t) noexcept {});
}

template <typename OnZone, typename OnUserLine>
Result ReadListedZones(RecordReader &reader, std::uint16_t selection, OnZone &&onZone,
                       OnUserLine &&onUserLine) noexcept {
    std::uint16_t taken = 0;
    if (selection != kSelectUserZones) {
        const Result read = reader.Read(kSystemCatalogueFile, kSystemZoneMinFields, [&](const RecordLine &line) noexcept {
            if (taken < TZ_MAX_SYSTEM_ZONES &&
                (selection == kSelectWholeCatalogue || (selection == kSelectCompatibility && LineZoneType(line) == kCompatibilityZoneType))) {
                onZone(line, false);
                ++taken;
            }
            return true;  // always read to the end
        });
        if (read != Result::Ok) return read;
    }
    if (selection != kSelectWholeCatalogue && selection != kSelectUserZones) return Result::Ok;
    const std::uint16_t limit = selection == kSelectUserZones ? TZ_MAX_USER_ZONES : TZ_MAX_ZONES;
    return reader.Read(kUserCatalogueFile, kUserZoneMinFields, [&](const RecordLine &line) noexcept {
        if (taken < limit && LineZoneType(line) == kUserZoneType) {
            onZone(line, true);
            ++taken;
        }
        onUserLine(line, taken);
        return true;
    });
}

}  // namespace kelvane
