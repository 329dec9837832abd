// The compiled zone files of the tz database (TZif, RFC 8536), as Debian's
// tzdata installs them under /usr/share/zoneinfo: the engine's reader
// (platform/tzif_file.h), its answers copied into the builder's containers.
//
// Only what the zone's history from version 2 on needs is kept: the 64-bit
// transition times with the local time type each one starts, the types
// (offset and daylight flag), and the POSIX TZ footer that governs every
// instant after the last listed transition. Version 1 files carry no footer
// and are refused.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/local_type.h"

namespace kelvane::builder {

struct TzifData {
    std::vector<std::int64_t> transitionTimes;
    std::vector<std::uint8_t> transitionTypes;  // index into types
    std::vector<LocalType> types;
    std::string footer;  // empty when the file has none
};

// nullopt for anything that is not a well-formed TZif file of version 2 or later.
std::optional<TzifData> ParseTzif(std::string_view bytes);
std::optional<TzifData> ReadTzifFile(const std::filesystem::path &path);

}  // namespace kelvane::builder
