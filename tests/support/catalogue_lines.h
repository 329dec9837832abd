// Catalogue lines for tests, in the files' field order.
#pragma once

#include <string>

#include "support/file_text.h"

namespace kelvane::test {

struct ZoneLine {
    int id = 1, offset = 0, type = 1;
    int stdMonth = 0, stdDay = 0, stdDayOfWeek = 0, stdHour = 0, stdOffset = 0;
    int dltMonth = 0, dltDay = 0, dltDayOfWeek = 0, dltHour = 0, dltOffset = 0;
    int x = 0, y = 0, contact = 0;
    std::string detail;  // empty: no 17th field
};

inline Text ZoneText(const ZoneLine &z) {
    std::string line;
    for (int n : {z.id, z.offset, z.type, z.stdMonth, z.stdDay, z.stdDayOfWeek, z.stdHour, z.stdOffset, z.dltMonth,
                  z.dltDay, z.dltDayOfWeek, z.dltHour, z.dltOffset, z.x, z.y, z.contact})
        line += std::to_string(n) + '\t';
    line.pop_back();
    if (!z.detail.empty()) line += '\t' + z.detail;
    return Widen(line);
}

}  // namespace kelvane::test
