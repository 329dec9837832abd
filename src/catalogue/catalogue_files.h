// The zone catalogue's two files and the line format they share.
//
// A line lists TZID, Offset, Type, the standard changeover (month, week,
// weekday, hour), StdOffSet, the daylight changeover, DltOffset, X, Y,
// Contact and Detail: the record groups the changeover fields before the two
// extra biases, the line does not. Numbers convert as _wtol does; 16-bit
// fields keep the low 16 bits.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "record/line_list.h"
#include "record/record_reader.h"

namespace kelvane {

inline constexpr const TZChar *kSystemCatalogueFile = KT("TZ_Def.ini");
inline constexpr const TZChar *kUserCatalogueFile = KT("TZ_UserDef.ini");

// A system line may leave out Detail; a user line may not.
inline constexpr std::uint16_t kSystemZoneMinFields = 16;
inline constexpr std::uint16_t kUserZoneMinFields = 17;
inline constexpr std::uint16_t kDetailField = 16;
inline constexpr std::uint16_t kStdMonthField = 3;
inline constexpr std::uint16_t kDltMonthField = 8;

inline constexpr std::uint16_t kUserZoneType = 3;
inline constexpr std::uint16_t kCompatibilityZoneType = 0;

// Fills TZID and the fifteen numeric fields; Detail and InFrequency are left alone.
void ReadZoneNumbers(const RecordLine &line, TZInfo *zone) noexcept;

// Writes one zone in the files' field order, numbers right-aligned to the
// column widths the catalogue files use, Detail with '$' for its spaces.
void AppendZoneLine(LineBuilder line, const TZInfo &zone) noexcept;

inline std::uint16_t LineZoneId(const RecordLine &line) noexcept { return line.U16(0); }
inline std::uint16_t LineZoneType(const RecordLine &line) noexcept { return line.U16(2); }

}  // namespace kelvane
