// The catalogue read as a list: system zones first (at most 150, filtered by
// the selection), then the user's Type-3 zones, each group in file order.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

inline constexpr std::uint16_t kSelectCompatibility = 0;
inline constexpr std::uint16_t kSelectWholeCatalogue = 1;
inline constexpr std::uint16_t kSelectNothing = 2;  // accepted; reads TZ_Def.ini and takes no line
inline constexpr std::uint16_t kSelectUserZones = 3;

// zones: at least TZ_MAX_ZONES records; count: capacity in (at least
// TZ_MAX_ZONES), records filled out, written only on success.
Result LoadTZList(TZInfo *zones, std::uint16_t *count, std::uint16_t selection) noexcept;

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
                  UserLineWatcher *watcher = nullptr) noexcept;

}  // namespace kelvane
