// Catalogue lines for tests, in the files' field order.
#pragma once

#include <string>

#include "support/data_dir.h"

namespace kelvane::test {

struct ZoneLine {
    int id = 1, offset = 0, type = 1;
    int stdMonth = 0, stdDay = 0, stdDayOfWeek = 0, stdHour = 0, stdOffset = 0;
    int dltMonth = 0, dltDay = 0, dltDayOfWeek = 0, dltHour = 0, dltOffset = 0;
    int x = 0, y = 0, contact = 0;
    std::string detail;  // empty: no 17th field
};

inline Text ZoneText(const ZoneLine &z) {
    const int numbers[] = {z.id,      z.offset,       z.type,      z.stdMonth,  z.stdDay, z.stdDayOfWeek,
                           z.stdHour, z.stdOffset,    z.dltMonth,  z.dltDay,    z.dltDayOfWeek,
                           z.dltHour, z.dltOffset,    z.x,         z.y,         z.contact};
    Text line;
    for (int n : numbers) {
        for (char c : std::to_string(n)) line += static_cast<TZChar>(c);
        line += KT('\t');
    }
    line.pop_back();
    if (!z.detail.empty()) {
        line += KT('\t');
        for (char c : z.detail) line += static_cast<TZChar>(c);
    }
    return line;
}

}  // namespace kelvane::test
