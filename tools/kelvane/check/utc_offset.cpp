#include "check/utc_offset.h"

#include <cstdio>

namespace kelvane::tool {

std::string UtcOffsetDigits(std::int64_t bias) {
    const std::int64_t magnitude = bias < 0 ? -bias : bias;
    char text[48];
    std::snprintf(text, sizeof text, "%c%02lld:%02lld", bias > 0 ? '-' : '+', static_cast<long long>(magnitude / 60),
                  static_cast<long long>(magnitude % 60));
    return text;
}

std::string UtcOffsetText(std::int64_t bias) {
    return UtcOffsetDigits(bias) + (ShownBias(bias) ? "" : " (out of range)");
}

}  // namespace kelvane::tool
