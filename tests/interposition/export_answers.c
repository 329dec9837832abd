/* Prints what every export answers to fixed questions. Built twice: as a plain host, and as a host defining
 * functions of its own named like four of the exports. Both must print the
 * same: the library never reaches its own exports through the symbol table.
 * The engine finds its data directory beside the program.
 * The four the host redefines are called through the library's own symbols. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Kelvane.h"

#define ROOMS 200
static TZChar texts[4][ROOMS][64];
static TZChar *rooms[4][ROOMS];

/* The library's definition of an export, whatever the host defines. */
static void *library_symbol(const char *name) {
    void *symbol = dlsym(RTLD_NEXT, name);
    if (symbol == NULL) {
        fprintf(stderr, "%s not found after the host\n", name);
        exit(2);
    }
#ifdef OWN_EXPORTS
    /* The host's own definition comes first in the global scope, so it is
     * what a call through the symbol table would reach. */
    if (dlsym(RTLD_DEFAULT, name) == symbol) {
        fprintf(stderr, "the host's own %s is not visible to the dynamic linker\n", name);
        exit(3);
    }
#endif
    return symbol;
}

#define LIBRARY_FUNCTION(pointer, name)         \
    do {                                        \
        void *symbol = library_symbol(name);    \
        memcpy(&(pointer), &symbol, sizeof symbol); \
    } while (0)

static void put_text(const TZChar *text) {
    for (size_t i = 0; i < 64 && text[i] != 0; ++i) printf(text[i] < 128 ? "%c" : "\\u%04x", (unsigned)text[i]);
    putchar('\n');
}

/* One answer a line: the call, what it returns, then what it wrote, read
 * only after the call has returned. */
#define ANSWER(call, written)                                          \
    do {                                                               \
        const long long answer = (long long)(call);                    \
        printf("%s %lld %lld\n", #call, answer, (long long)(written)); \
    } while (0)

static void put_zone(const TZInfo *z) {
    printf("zone %u %u %d %u %u %u %u %u %u %u %u %d %d %d %d ", z->TZID, z->Type, z->Offset, z->StdMonth, z->StdDay,
           z->StdDayOfWeek, z->StdHour, z->DltMonth, z->DltDay, z->DltDayOfWeek, z->DltHour, z->StdOffSet,
           z->DltOffset, z->X, z->Y);
    put_text(z->Detail);
}

static void calendar_answers(void) {
    uint32_t (*is_date_valid)(const TZDate *);
    uint32_t (*day_of_week)(const TZDate *);
    int32_t (*compare)(const SYSTEMTIME *, const SYSTEMTIME *);
    const TZDate dates[] = {{2024, 3, 31}, {2023, 2, 29}, {2099, 12, 31}, {1899, 1, 1}};
    SYSTEMTIME a = {2024, 3, 0, 31, 1, 30, 0, 0}, b = {2024, 10, 0, 27, 3, 0, 0, 0};
    uint32_t packed = 0;
    uint16_t hourMinute = 0;
    LIBRARY_FUNCTION(is_date_valid, "IsDateValid");
    LIBRARY_FUNCTION(day_of_week, "GetDayOfWeek");
    LIBRARY_FUNCTION(compare, "CompareDateTime");
    for (size_t i = 0; i < sizeof dates / sizeof dates[0]; ++i)
        printf("date %u %u %u %u\n", GetDayNumOfMonth(&dates[i]), is_date_valid(&dates[i]), day_of_week(&dates[i]),
               (unsigned)GetDateFromWeekInfo(dates[i].year, dates[i].month, 5, 0));
    ANSWER(CalcDateTime(&a, 90061),
           a.wYear * 100000000LL + a.wMonth * 1000000 + a.wDay * 10000 + a.wHour * 100 + a.wMinute);
    printf("compare %d %d\n", compare(&a, &b), compare(NULL, &b));
    ANSWER(TimeConvert_SYSTEMTIME_To_DWORD(&b, &packed, &hourMinute), packed * 100000LL + hourMinute);
    ANSWER(TimeConvert_DWORD_To_SYSTEMTIME(&packed, &hourMinute, &a), a.wDay);
}

static void text_answers(void) {
    static const TZChar source[] = {'S', 'h', 'a', 'n', 'g', 'h', 'a', 'i', 0};
    TZChar out[8];
    put_text(wcsncpy_sc(out, source, 6));
    put_text(SubStr_sc(out, source, 2, 4, 8));
}

static void catalogue_answers(void) {
    uint32_t (*info_by_id)(const uint16_t *, uint16_t, TZInfo *);
    static TZInfo zones[2];
    static TZDesc descs[TZ_MAX_LANGUAGES];
    static const uint16_t ids[] = {1, 8};
    uint16_t count = TZ_MAX_ZONES, langIds[TZ_MAX_LANGUAGES], found[ROOMS];
    uint32_t types[2], listed = 0, state = 0;
    const SYSTEMTIME july = {2026, 7, 0, 1, 12, 0, 0, 0};
    static const TZChar prefix[] = {'C', 0}, group[] = {'E', 'u', 'r', 'o', 'p', 'e', 0};
    LIBRARY_FUNCTION(info_by_id, "GetTZInfoByID");
    ANSWER(info_by_id(ids, 2, zones), 0);
    put_zone(&zones[0]);
    put_zone(&zones[1]);
    ANSWER(GetTZCount(1, &count), count);
    ANSWER(GetTZDltType(ids, 2, types), types[0] * 10 + types[1]);
    ANSWER(GetTZDescByID(ids, 1, descs), 0);
    put_text(descs[0].Desc1);
    count = 0;
    ANSWER(GetTZAllLanguageDescByID(20, &count, langIds, descs), count);
    put_text(descs[count - 1].Desc3);
    count = TZ_MAX_ZONES;
    ANSWER(GetSelectTZInfo(&count, group, found, rooms[0], rooms[1], 1), count);
    put_text(rooms[1][0]);
    ANSWER(GetAllTZInfo(&listed, found, rooms[2], 1), listed);
    put_text(rooms[2][0]);
    count = ROOMS;
    ANSWER(GetSelectTZOffsetInfo(20, &count, rooms[0], rooms[1], rooms[3]), count);
    ANSWER(SearchTZbyName(prefix, &count, found, rooms[0]), count);
    ANSWER(QueryTZDltStateByDate(8, &july, &state), state);
    ANSWER(GetTZOffset(8, 20, 0), 0);
}

static void settings_answers(void) {
    static TZInfo zone;
    static const uint16_t ids[] = {1, 8};
    uint16_t id = 0, count = TZ_MAX_ZONES, list[TZ_MAX_ZONES];
    uint32_t flags[2] = {1, 0}, daylight = 0;
    ANSWER(GetLocalTZID(&id), id);
    ANSWER(GetDeaultTZID(&id), id);
    ANSWER(GetTZFrequency(&count, list, 1), count);
    ANSWER(AddTZFrequency(2, ids), 0);
    ANSWER(UpdateTZFrequency(2, ids, flags), 0);
    ANSWER(GetTZFrequencyState(2, ids, flags), flags[0] * 10 + flags[1]);
    ANSWER(DeleteTZFrequency(1, ids), 0);
    zone.Offset = -90;
    zone.InFrequency = 1;
    memcpy(zone.Detail, (const TZChar[]){'M', 'i', 'n', 'e', 0}, 5 * sizeof(TZChar));
    ANSWER(AddTZ(&zone), 0);
    zone.TZID = 10000;
    ANSWER(UpdateTZ(&zone), 0);
    id = 10000;
    ANSWER(DeleteTZ(1, &id), 0);
    ANSWER(ChangeTZ(8, 1), 0);
    ANSWER(FixTZ(), 0);
    ANSWER(GetTZDaylightTime(&daylight), daylight);
    ANSWER(GetLocalTZID(&id), id);
}

int main(void) {
    for (size_t k = 0; k < 4; ++k)
        for (size_t i = 0; i < ROOMS; ++i) rooms[k][i] = texts[k][i];
    calendar_answers();
    text_answers();
    catalogue_answers();
    settings_answers();
    return 0;
}
