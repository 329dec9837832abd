// The public header as a C++ program sees it, in every standard from C++98:
// only what C++98 has (no static_assert, no nullptr) is used here.
#include "Kelvane.h"

#include <stddef.h>

// A negative array size where a check fails.
typedef char TZCharIsTwoBytes[sizeof(TZChar) == 2 ? 1 : -1];
typedef char TZInfoIsLaidOutAsInC[sizeof(TZInfo) == 172 && offsetof(TZInfo, Detail) == 44 ? 1 : -1];

int KelvaneHeaderCxxCheck() {
    TZDate date = {2000, 1, 1};
    TZChar copy[4];
    static const TZChar tokyo[] = {'T', 'o', 'k', 'y', 'o', 0};
    return GetDayOfWeek(&date) == 6 && wcsncpy_sc(copy, tokyo, 4) == copy ? 0 : 1;
}
