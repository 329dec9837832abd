/* A host program's own functions named like four of the library's exports,
 * answering nonsense. Exported from the program, so the dynamic linker would
 * bind any call the library made through its symbol table to these. */
#include "Kelvane.h"

uint32_t IsDateValid(const TZDate *date) {
    (void)date;
    return 7;
}

uint32_t GetDayOfWeek(const TZDate *date) {
    (void)date;
    return 9;
}

uint32_t GetTZInfoByID(const uint16_t *ids, uint16_t count, TZInfo *infos) {
    (void)ids;
    (void)count;
    (void)infos;
    return TZ_ERR_PARSER;
}

int32_t CompareDateTime(const SYSTEMTIME *a, const SYSTEMTIME *b) {
    (void)a;
    (void)b;
    return 5;
}
