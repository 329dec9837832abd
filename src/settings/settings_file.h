// TZ_Set.ini: the zone in use, the daylight-saving switch, a language number
// and the default zone, in one record line after the banner and legend.
#pragma once

#include "Kelvane.h"
#include "base/text.h"
#include "record/data_lock.h"
#include "record/line_list.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

inline constexpr const TZChar *kSettingsFile = KT("TZ_Set.ini");

// The first data line of three or more fields; NotFound when there is none.
// A line of exactly three fields reads DefaultTZ as 0. The record is written
// only on success.
Result ReadTZSetting(TZSetting *setting) noexcept;
// The same through the calling operation's reader.
Result ReadTZSetting(RecordReader &reader, TZSetting *setting) noexcept;
// Rewrites the file whole: banner, legend, and the record line without a line end.
// The caller holds the data directory's lock.
Result WriteTZSetting(const DataDirectoryLock &lock, const TZSetting *setting) noexcept;
// The lines WriteTZSetting writes, composed into an allocated list, for an
// operation that writes them later with a prepared DataFileWriter.
void ComposeTZSetting(const TZSetting &setting, LineList &lines) noexcept;

}  // namespace kelvane
