// Result codes inside the engine; they become uint32_t only at the C boundary.
// Each is the header's code of the same meaning, so the two lists cannot drift.
#pragma once

#include <cstdint>

#include "Kelvane.h"

namespace kelvane {

enum class Result : std::uint32_t {
    Ok = TZ_OK,
    NotFound = TZ_ERR_NOT_FOUND,
    File = TZ_ERR_FILE,
    Write = TZ_ERR_WRITE,
    Registry = TZ_ERR_REGISTRY,
    NoMemory = TZ_ERR_NO_MEMORY,
    Param = TZ_ERR_PARAM,
    NoLanguage = TZ_ERR_NO_LANGUAGE,
    Parser = TZ_ERR_PARSER,
    State = TZ_ERR_STATE,
    SetTimeZone = TZ_ERR_SET_TZ,
    ListFull = TZ_ERR_LIST_FULL,
};

constexpr std::uint32_t Code(Result r) noexcept { return static_cast<std::uint32_t>(r); }

}  // namespace kelvane
