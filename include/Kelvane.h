/*
 * Kelvane: the time-zone engine of the device.
 *
 * One flat C interface over the zone catalogue, names, daylight saving, the
 * user's zones and favourites, zone switching and calendar helpers. Text is
 * UTF-16; every record below crosses the interface as laid out here, with
 * natural alignment and no packing pragmas.
 *
 * Environment: KELVANE_DATA names the data directory (default: the directory
 * of the host executable); a data directory holding device.ini is a
 * simulated device, otherwise the engine acts on the real system. On Linux
 * KELVANE_ZONE_FILE names the system zone file (default /etc/localtime);
 * there, both are read with secure_getenv (ignored by set-user-ID programs).
 */
#ifndef KELVANE_H
#define KELVANE_H

/*
 * The library's version. The build reads it from here, so these lines are
 * its one source. KELVANE_VERSION_AT_LEAST needs no call and works in #if:
 *
 *   #if KELVANE_VERSION_AT_LEAST(0, 1, 0)
 */
#define KELVANE_VERSION_MAJOR 0
#define KELVANE_VERSION_MINOR 1
#define KELVANE_VERSION_PATCH 0
#define KELVANE_VERSION_STRING "0.1.0"
#define KELVANE_VERSION_NUMBER(major, minor, patch) ((major) * 1000000L + (minor) * 1000L + (patch))
#define KELVANE_VERSION \
    KELVANE_VERSION_NUMBER(KELVANE_VERSION_MAJOR, KELVANE_VERSION_MINOR, KELVANE_VERSION_PATCH)
#define KELVANE_VERSION_AT_LEAST(major, minor, patch) \
    (KELVANE_VERSION >= KELVANE_VERSION_NUMBER(major, minor, patch))

#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
typedef wchar_t TZChar;
#else
/* UTF-16 code units: char16_t where the language has it as a type of its own
 * (C++11 on); elsewhere the 16-bit unsigned integer type that C's char16_t
 * is, of the same size and representation. */
#if defined(__cplusplus) && __cplusplus >= 201103L
typedef char16_t TZChar;
#else
typedef uint_least16_t TZChar;
#endif
typedef struct _SYSTEMTIME {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
} SYSTEMTIME;
#endif

/*
 * Every function uses the C calling convention, __cdecl on Windows, stated
 * so that a caller compiled with another default (/Gz, -mrtd) still calls
 * it rightly. Other systems have one convention and need no mark.
 */
#if defined(_WIN32)
#define KELVANE_CALL __cdecl
#else
#define KELVANE_CALL
#endif

#if defined(_WIN32) && defined(KELVANE_STATIC)
#define KELVANE_API /* the engine linked in statically */
#elif defined(_WIN32)
#define KELVANE_API __declspec(dllimport) /* through Kelvane.dll's import library */
#elif defined(__GNUC__)
#define KELVANE_API __attribute__((visibility("default")))
#else
#define KELVANE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TZ_OK 0u
#define TZ_ERR_NOT_FOUND 0xFFFFFFFFu
#define TZ_ERR_FILE 1001u
#define TZ_ERR_WRITE 1002u
#define TZ_ERR_REGISTRY 1003u
#define TZ_ERR_NO_MEMORY 1004u
#define TZ_ERR_PARAM 1005u
#define TZ_ERR_NO_LANGUAGE 1006u
#define TZ_ERR_PARSER 2001u
#define TZ_ERR_STATE 3001u
#define TZ_ERR_SET_TZ 3002u
#define TZ_ERR_LIST_FULL 3003u

#define TZ_OFFSET_ERROR 0x0FFFFFFF
#define TZ_MAX_ZONES 200
#define TZ_MAX_SYSTEM_ZONES 150
#define TZ_MAX_USER_ZONES 50
#define TZ_MAX_LANGUAGES 32

typedef struct TZInfo {
    uint16_t TZID, Type;
    int32_t Offset;
    uint16_t StdMonth, StdDay, StdDayOfWeek, StdHour, DltMonth, DltDay, DltDayOfWeek, DltHour;
    int32_t StdOffSet, DltOffset, X, Y;
    uint16_t Contact, InFrequency;
    TZChar Detail[64];
} TZInfo;

typedef struct TZSetting {
    uint16_t TZID, DLT, LangID, DefaultTZ;
} TZSetting;

typedef struct TZDesc {
    uint16_t TZID;
    TZChar Desc1[64], Desc2[64], Desc3[64], Desc4[64];
} TZDesc;

typedef struct LangDef {
    uint16_t LangID;
    TZChar FileName[64];
} LangDef;

typedef struct TZDate {
    uint16_t year;
    uint8_t month, day;
} TZDate;

/*
 * How to read the comments below.
 *
 * Results: TZ_OK on success. Every function that reads the data directory
 * may also return TZ_ERR_FILE (a data file missing or unreadable),
 * TZ_ERR_NO_MEMORY and TZ_ERR_PARSER; every function that changes it may
 * return TZ_ERR_WRITE (the file could not be rewritten, or another writer
 * held the data directory for five seconds; the old file is kept whole).
 * An absent (NULL) pointer argument gives TZ_ERR_PARAM. Each comment names
 * the other results.
 *
 * Selections: 0 the compatibility zones (TZ_Def.ini lines of Type 0),
 * 1 the whole catalogue (system zones, then the user's), 2 no zone at all,
 * 3 the user's own zones. A zone is named by its Desc2 under selection 0,
 * by its Desc1 otherwise.
 *
 * Rooms are counted in TZChar units, the terminator included; a text longer
 * than its room is cut and always terminated. "In/out" counts hold the room
 * on entry and the number written on return.
 */

/* Fills infos[i] with the catalogue record of ids[i] (count records).
 * TZ_OK when every slot was filled; TZ_ERR_NOT_FOUND when an identifier is
 * unknown or repeated, its record left as passed. TZ_ERR_PARAM: count 0. */
KELVANE_API uint32_t KELVANE_CALL GetTZInfoByID(const uint16_t *ids, uint16_t count, TZInfo *infos);

/* Counts the zones of a selection (0 to 3). *count is in/out and must hold
 * at least TZ_MAX_ZONES (200) on entry; it is written only on success.
 * TZ_ERR_PARAM: a selection above 3 or a count below 200. */
KELVANE_API uint32_t KELVANE_CALL GetTZCount(uint16_t selection, uint16_t *count);

/* types[i] (count entries) becomes 1 when zone ids[i] observes daylight
 * saving, 0 when it does not or is not in the catalogue. */
KELVANE_API uint32_t KELVANE_CALL GetTZDltType(const uint16_t *ids, uint32_t count, uint32_t *types);

/* Adds a user zone under the lowest free identifier from 10000 on (not
 * reported back: find it with selection 3); TZID and Type are ignored.
 * InFrequency non-zero also puts it on the favourites. TZ_ERR_PARAM: an
 * empty Detail. TZ_ERR_LIST_FULL: TZ_MAX_USER_ZONES (50) user zones already,
 * or the favourites would reach 50 (the zone is then added). */
KELVANE_API uint32_t KELVANE_CALL AddTZ(const TZInfo *info);

/* Replaces the user zone info->TZID whole (kept as a user zone);
 * InFrequency says whether it stays on the favourites. TZ_ERR_STATE: no
 * user zone has that identifier (system zones cannot be changed).
 * TZ_ERR_PARAM: an empty Detail. TZ_ERR_LIST_FULL as for AddTZ. */
KELVANE_API uint32_t KELVANE_CALL UpdateTZ(const TZInfo *info);

/* Deletes the user zones among ids (count entries) and takes every one of
 * ids off the favourites. TZ_ERR_PARAM: count 0, or no user zone exists. */
KELVANE_API uint32_t KELVANE_CALL DeleteTZ(uint16_t count, const uint16_t *ids);

/* The current zone (GetLocalTZID) and the default zone (GetDeaultTZID) of
 * TZ_Set.ini. TZ_ERR_NOT_FOUND when it holds no record; *tzid is written
 * only on success. */
KELVANE_API uint32_t KELVANE_CALL GetLocalTZID(uint16_t *tzid);
KELVANE_API uint32_t KELVANE_CALL GetDeaultTZID(uint16_t *tzid);

/* The favourites in list order. *count is out only (its value on entry is
 * not read); ids must have room for TZ_MAX_ZONES (200) identifiers whatever
 * *count holds. checkCatalogue non-zero leaves out zones the catalogue no
 * longer has. */
KELVANE_API uint32_t KELVANE_CALL GetTZFrequency(uint16_t *count, uint16_t *ids, uint32_t checkCatalogue);

/* flags[i] (count entries) becomes 1 when ids[i] is a favourite, else 0. */
KELVANE_API uint32_t KELVANE_CALL GetTZFrequencyState(uint16_t count, const uint16_t *ids, uint32_t *flags);

/* Adds the catalogue zones among ids (count entries, at least 1) to the
 * favourites. TZ_ERR_LIST_FULL: the list would reach 50 (nothing changed). */
KELVANE_API uint32_t KELVANE_CALL AddTZFrequency(uint16_t count, const uint16_t *ids);

/* Removes every occurrence of ids (count entries; 0 is allowed) from the
 * favourites. */
KELVANE_API uint32_t KELVANE_CALL DeleteTZFrequency(uint16_t count, const uint16_t *ids);

/* For each of count (1 to 200) zones: flags[i] non-zero adds ids[i] to the
 * favourites, 0 removes it. TZ_ERR_LIST_FULL as for AddTZFrequency. */
KELVANE_API uint32_t KELVANE_CALL UpdateTZFrequency(uint16_t count, const uint16_t *ids, const uint32_t *flags);

/* Fills descs[i] (count records, count at least 1) with the names of zone
 * ids[i] in the user's interface language. TZ_OK even when some zone is
 * not found: its record is left as passed. TZ_ERR_NO_LANGUAGE: the system
 * reports no interface language; TZ_ERR_NOT_FOUND: Lang_Def.ini lists none
 * for it. */
KELVANE_API uint32_t KELVANE_CALL GetTZDescByID(const uint16_t *ids, uint16_t count, TZDesc *descs);

/* The names of zone tzid in every language of Lang_Def.ini: *langCount
 * (out) languages, their identifiers in langIds and names in descs, up to
 * TZ_MAX_LANGUAGES (32) entries, so both arrays need room for 32. A user
 * zone gives one entry, language 0. A language without the zone leaves its
 * record as passed. TZ_ERR_NOT_FOUND: Lang_Def.ini lists no language. */
KELVANE_API uint32_t KELVANE_CALL GetTZAllLanguageDescByID(uint16_t tzid, uint16_t *langCount, uint16_t *langIds,
                                                           TZDesc *descs);

/* The zones of one group of TZ_Zone.ini (groupName compared exactly, case
 * included), west to east: ids[i], the name at names[i] (room 64) and the
 * GMT label at labels[i] (room 11, "GMT+05:30 "). *count is out: ids, names
 * and labels need room for TZ_MAX_ZONES (200) entries. selection (0 to 2)
 * picks the name; any other gives an empty list. Results of GetTZDescByID. */
KELVANE_API uint32_t KELVANE_CALL GetSelectTZInfo(uint16_t *count, const TZChar *groupName, uint16_t *ids,
                                                  TZChar **names, TZChar **labels, uint16_t selection);

/* The zones of a selection (0 to 3), west to east: ids[i] and at entries[i]
 * (room 76) the label and name, "(GMT+05:30) India". *count is out; ids and
 * entries need room for TZ_MAX_ZONES (200). TZ_ERR_PARAM: a selection above
 * 3. Results of GetTZDescByID. */
KELVANE_API uint32_t KELVANE_CALL GetAllTZInfo(uint32_t *count, uint16_t *ids, TZChar **entries, uint16_t selection);

/* The cities of zone zoneNum in TZ_CityZoneNum.ini: *count is in/out, the
 * room of the three pointer arrays on entry; each city's texts go to
 * field2Texts[i] (room 30), field3Texts[i] (room 20) and field4Texts[i]
 * (room 10). TZ_ERR_NOT_FOUND: no city of that zone (*count 0). */
KELVANE_API uint32_t KELVANE_CALL GetSelectTZOffsetInfo(uint16_t zoneNum, uint16_t *count, TZChar **field2Texts,
                                                        TZChar **field4Texts, TZChar **field3Texts);

/* The catalogue zones whose Detail begins with name (case counts): ids[i]
 * and the Detail at names[i] (room 30). *count is out; ids and names need
 * room for TZ_MAX_SYSTEM_ZONES (150) entries. TZ_OK also when none matches. */
KELVANE_API uint32_t KELVANE_CALL SearchTZbyName(const TZChar *name, uint16_t *count, uint16_t *ids, TZChar **names);

/* *state becomes 1 when daylight time is in force in zone tzid at the local
 * time *date (year, month, day and hour are used), else 0; written only on
 * success. TZ_ERR_PARAM: tzid 0. TZ_ERR_NOT_FOUND: the catalogue lists the
 * zone not exactly once. */
KELVANE_API uint32_t KELVANE_CALL QueryTZDltStateByDate(uint16_t tzid, const SYSTEMTIME *date, uint32_t *state);

/* Zone tzid2's clock minus zone tzid1's, in minutes, daylight saving of
 * now included. TZ_OFFSET_ERROR on any failure. reserved is not read. */
KELVANE_API int32_t KELVANE_CALL GetTZOffset(uint16_t tzid1, uint16_t tzid2, uint32_t reserved);

/* Makes tzid the system's zone, daylight saving on when dlt is non-zero,
 * and keeps the clock's UTC time. A failed switch changes nothing, except
 * TZ_ERR_REGISTRY (the clock settings could not be stored: zone and clock
 * switched). TZ_ERR_PARAM: tzid 0. TZ_ERR_NOT_FOUND: the new or current
 * zone is not listed exactly once. TZ_ERR_STATE: the system's zone is
 * unknown. TZ_ERR_SET_TZ: the system refused the zone. TZ_ERR_NO_LANGUAGE
 * as for GetTZDescByID. */
KELVANE_API uint32_t KELVANE_CALL ChangeTZ(uint16_t tzid, uint32_t dlt);

/* At start-up: brings the system's daylight state, the settings and the
 * clock settings in line with the current zone's rule, and completes a
 * switch that was interrupted. Results of ChangeTZ and TZ_ERR_STATE. */
KELVANE_API uint32_t KELVANE_CALL FixTZ(void);

/* *daylight becomes 1 while the system is on daylight time, else 0.
 * TZ_ERR_STATE (*daylight untouched): the system's zone is unknown. */
KELVANE_API uint32_t KELVANE_CALL GetTZDaylightTime(uint32_t *daylight);

/* Calendar helpers; no file is read. Dates are valid for the years 1900 to
 * 2099 (IsDateValid). Days of the week run from 0 (Sunday) to 6. */

/* The length of the date's month (no upper year bound; the day is checked
 * against 1 to 31 only). 0: year below 1900, month or day out of range, or
 * date NULL. */
KELVANE_API uint32_t KELVANE_CALL GetDayNumOfMonth(const TZDate *date);
/* The day of the week; 0xFFFFFFFF for a date IsDateValid refuses or NULL. */
KELVANE_API uint32_t KELVANE_CALL GetDayOfWeek(const TZDate *date);
/* 1 for a real date of the years 1900 to 2099, else 0. */
KELVANE_API uint32_t KELVANE_CALL IsDateValid(const TZDate *date);
/* The day of the month of the week-th dayOfWeek (0 to 6) of the month:
 * week 1 to 4 the first to fourth, 5 (or 0) the last. 0 for a year outside
 * 1900 to 2099 or any argument out of range. */
KELVANE_API uint16_t KELVANE_CALL GetDateFromWeekInfo(uint16_t year, uint16_t month, uint16_t week, uint16_t dayOfWeek);
/* Moves *time by seconds (negative: back) and sets its day of the week;
 * 1. Wider than the years 1900 to 2099: 0 (time unchanged) only for NULL,
 * an invalid time, or a time or result outside the years 1601 to 30827. */
KELVANE_API uint32_t KELVANE_CALL CalcDateTime(SYSTEMTIME *time, int32_t seconds);
/* 1 when a is later than b, -1 when earlier, 0 when equal to the minute.
 * Two NULLs are equal; a NULL comes before a time. */
KELVANE_API int32_t KELVANE_CALL CompareDateTime(const SYSTEMTIME *a, const SYSTEMTIME *b);
/* Packs a time: *date = year << 16 | month << 8 | day; *hourMinute (may be
 * NULL) = hour << 8 | minute. 1; 0 when time or date is NULL. */
KELVANE_API uint32_t KELVANE_CALL TimeConvert_SYSTEMTIME_To_DWORD(const SYSTEMTIME *time, uint32_t *date,
                                                                  uint16_t *hourMinute);
/* Unpacks into *time (hourMinute NULL: 00:00); seconds and milliseconds
 * become 0, the day of the week is left as it was. 1; 0 when date or time is
 * NULL. */
KELVANE_API uint32_t KELVANE_CALL TimeConvert_DWORD_To_SYSTEMTIME(const uint32_t *date, const uint16_t *hourMinute,
                                                                  SYSTEMTIME *time);

/* Bounded copies for callers cutting texts to their own buffers. capacity
 * is dest's room (at least 2); at most capacity - 1 units are copied and
 * dest is always terminated. NULL, with nothing written, on a NULL pointer
 * or a capacity below 2. */
KELVANE_API TZChar *KELVANE_CALL wcsncpy_sc(TZChar *dest, const TZChar *src, uint16_t capacity);
/* The units src[start..end] (end inclusive; end 0 or past the text: to its
 * end). NULL also when end < start. */
KELVANE_API TZChar *KELVANE_CALL SubStr_sc(TZChar *dest, const TZChar *src, uint16_t start, uint16_t end,
                                           uint16_t capacity);

#ifdef __cplusplus
}
#endif

#endif /* KELVANE_H */
