/* A program that uses an installed Kelvane: built once through
 * find_package(Kelvane) and once through pkg-config, and run with a copy of
 * the installed data set beside it. Exit status 0 when every answer is right. */
#include <stdio.h>

#include <Kelvane.h>

#if !KELVANE_VERSION_AT_LEAST(0, 1, 0) || KELVANE_VERSION_AT_LEAST(KELVANE_VERSION_MAJOR + 1, 0, 0)
#error "KELVANE_VERSION_AT_LEAST gives the wrong answer"
#endif

static int Fail(const char *what) {
    fprintf(stderr, "consumer: %s\n", what);
    return 1;
}

int main(void) {
    TZDate date = {2000, 1, 1};
    uint16_t count = 0, current = 0;
    uint16_t ids[TZ_MAX_SYSTEM_ZONES];
    TZChar names[TZ_MAX_SYSTEM_ZONES][30];
    TZChar *namePointers[TZ_MAX_SYSTEM_ZONES];
    TZInfo zone;
    TZDesc desc;
    static const TZChar utc[] = u"Coordinated Universal Time";
    for (int i = 0; i < TZ_MAX_SYSTEM_ZONES; ++i) namePointers[i] = names[i];

    if (GetDayOfWeek(&date) != 6) return Fail("1 January 2000 is not a Saturday");
    count = TZ_MAX_ZONES; /* the room the caller has */
    if (GetTZCount(1, &count) != TZ_OK || count < 100) return Fail("the catalogue beside the program is not read");
    if (GetLocalTZID(&current) != TZ_OK) return Fail("no current zone");
    if (GetTZInfoByID(&current, 1, &zone) != TZ_OK || zone.Offset != 0) return Fail("the current zone is not UTC");
    desc.TZID = current;
    if (GetTZDescByID(&current, 1, &desc) != TZ_OK) return Fail("no names for the current zone");
    for (int i = 0; utc[i] != 0; ++i)
        if (desc.Desc1[i] != utc[i]) return Fail("the current zone's name is not Coordinated Universal Time");
    if (SearchTZbyName(u"Central European", &count, ids, namePointers) != TZ_OK || count == 0)
        return Fail("no Central European zone found by name");
    printf("consumer ok: Kelvane %s, zone %u is UTC\n", KELVANE_VERSION_STRING, (unsigned)current);
    return 0;
}
