/* The public header as a C program sees it, in C89, C99 and C11; the C11 build
 * runs, linked against the shared library. */
#include <stddef.h>
#include <stdio.h>

#include "Kelvane.h"

int main(void) {
    TZDate date = {2000, 1, 1};
    SYSTEMTIME a = {2024, 5, 0, 1, 10, 20, 59, 0};
    SYSTEMTIME b = {2024, 5, 0, 1, 10, 20, 0, 0};
    TZChar buffer[8];
    static const TZChar source[] = {'B', 'e', 'i', 'j', 'i', 'n', 'g', 0};
    if (GetDayOfWeek(&date) != 6) return 1;
    if (CompareDateTime(&a, &b) != 0) return 2;
    if (wcsncpy_sc(buffer, source, 5) != buffer || buffer[4] != 0) return 3;
    if (sizeof(TZInfo) != 172 || offsetof(TZInfo, Detail) != 44) return 4;
    if (TZ_ERR_PARSER != 2001u || TZ_MAX_LANGUAGES != 32) return 5;
    puts("header ok");
    return 0;
}
