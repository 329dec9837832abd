// The compiled zone files of the tz database (TZif, RFC 8536), as the C
// library reads them from /etc/localtime and /usr/share/zoneinfo.
//
// The file is read in place: a TzifView checks the bytes once and then
// answers from them, so reading a zone costs no allocation beyond the bytes
// themselves. Only the version 2 part counts (64-bit transition times, the
// local time types) and the POSIX TZ footer that governs every instant after
// the last transition. Version 1 files carry no footer and are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/posix_rule.h"

namespace kelvane {

class TzifView {
public:
    // False for anything that is not a well-formed TZif file of version 2 or
    // later; the view keeps pointing into bytes, which must outlive it.
    bool Parse(std::string_view bytes) noexcept;

    std::size_t TransitionCount() const noexcept { return transitions_; }
    std::int64_t TransitionTime(std::size_t i) const noexcept;
    std::uint8_t TransitionType(std::size_t i) const noexcept;
    std::size_t TypeCount() const noexcept { return types_; }
    LocalType Type(std::size_t i) const noexcept;
    // The POSIX TZ rule text; empty when the file has none.
    std::string_view Footer() const noexcept { return footer_; }

private:
    std::string_view times_, typeIndexes_, typeRecords_, footer_;
    std::size_t transitions_ = 0, types_ = 0;
};

// The local time the file gives at an instant, as the C library reads it:
// the listed transitions, from the last one on its footer rule (parsed into
// footer by the caller; nullptr when the file has none). Before the first
// transition, and throughout a file without any, its first standard type.
LocalType ZoneTypeAt(const TzifView &zone, const PosixRule *footer, std::int64_t instant) noexcept;

}  // namespace kelvane
