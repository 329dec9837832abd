// Result codes inside the engine; they become uint32_t only at the C boundary.
#pragma once

#include <cstdint>

namespace kelvane {

enum class Result : std::uint32_t {
    Ok = 0,
    NotFound = 0xFFFFFFFFu,
    File = 1001,
    Write = 1002,
    Registry = 1003,
    NoMemory = 1004,
    Param = 1005,
    NoLanguage = 1006,
    Parser = 2001,
    State = 3001,
    SetTimeZone = 3002,
    ListFull = 3003,
};

constexpr std::uint32_t Code(Result r) noexcept { return static_cast<std::uint32_t>(r); }

}  // namespace kelvane
