// TZif files made up for the tests: a version 1 block with one type, then
// the version 2 block with the given transitions and types, then the footer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/local_type.h"

namespace kelvane::builder::test {

inline std::string BigEndian(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = width - 1; i >= 0; --i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string TzifHeader(char version, std::uint32_t times, std::uint32_t types, std::uint32_t chars) {
    std::string h = "TZif";
    h += version;
    h += std::string(15, '\0');
    for (std::uint32_t count : {0u, 0u, 0u, times, types, chars}) h += BigEndian(count, 4);
    return h;
}

struct TzifParts {
    std::vector<std::int64_t> times;
    std::vector<std::uint8_t> typeIndices;
    std::vector<LocalType> types{LocalType{}};
    std::string footer;
    char version = '2';
};

inline std::string TzifBytes(const TzifParts &p) {
    std::string bytes = TzifHeader(p.version, 0, 1, 1) + BigEndian(0, 4) + std::string(2, '\0') + std::string(1, '\0');
    bytes += TzifHeader(p.version, static_cast<std::uint32_t>(p.times.size()),
                        static_cast<std::uint32_t>(p.types.size()), 1);
    for (std::int64_t t : p.times) bytes += BigEndian(static_cast<std::uint64_t>(t), 8);
    for (std::uint8_t i : p.typeIndices) bytes += static_cast<char>(i);
    for (const LocalType &t : p.types)
        bytes += BigEndian(static_cast<std::uint32_t>(t.utcOffset), 4) + static_cast<char>(t.isDaylight) + '\0';
    bytes += '\0';
    return bytes + "\n" + p.footer + "\n";
}

}  // namespace kelvane::builder::test
