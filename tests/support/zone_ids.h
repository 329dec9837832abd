// Zone identifier lists for the tests: ranges, and the frequency list as a
// file and as the engine reads it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane::test {

using Ids = std::vector<std::uint16_t>;

// count identifiers from first on, then more.
inline Ids Range(int first, int count, const Ids &more = {}) {
    Ids ids;
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<std::uint16_t>(first + i));
    ids.insert(ids.end(), more.begin(), more.end());
    return ids;
}

// TZ_Frequency.ini as a user might have edited it: a comment, then "id<TAB>1" lines.
inline void WriteFrequency(const DataDir &dir, const Ids &ids) {
    std::vector<Text> lines = {KT(";TZID -- 时区ID")};
    for (std::uint16_t id : ids) lines.push_back(Widen(std::to_string(id)) + KT("\t1"));
    dir.WriteLines("TZ_Frequency.ini", lines);
}

// The frequency list GetTZFrequency gives; {9999} when it fails.
inline Ids StoredFrequency(std::uint32_t checkCatalogue = 0) {
    std::uint16_t ids[TZ_MAX_ZONES], count = 0;
    return GetTZFrequency(&count, ids, checkCatalogue) == TZ_OK ? Ids(ids, ids + count) : Ids{9999};
}

}  // namespace kelvane::test
