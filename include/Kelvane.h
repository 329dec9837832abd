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
#ifndef __cplusplus
#include <uchar.h>
#endif
typedef char16_t TZChar;
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

KELVANE_API uint32_t GetTZInfoByID(const uint16_t *ids, uint16_t count, TZInfo *infos);
KELVANE_API uint32_t GetTZCount(uint16_t selection, uint16_t *count);
KELVANE_API uint32_t GetTZDltType(const uint16_t *ids, uint32_t count, uint32_t *types);
KELVANE_API uint32_t AddTZ(const TZInfo *info);
KELVANE_API uint32_t UpdateTZ(const TZInfo *info);
KELVANE_API uint32_t DeleteTZ(uint16_t count, const uint16_t *ids);
KELVANE_API uint32_t GetLocalTZID(uint16_t *tzid);
KELVANE_API uint32_t GetDeaultTZID(uint16_t *tzid);
KELVANE_API uint32_t GetTZFrequency(uint16_t *count, uint16_t *ids, uint32_t checkCatalogue);
KELVANE_API uint32_t GetTZFrequencyState(uint16_t count, const uint16_t *ids, uint32_t *flags);
KELVANE_API uint32_t AddTZFrequency(uint16_t count, const uint16_t *ids);
KELVANE_API uint32_t DeleteTZFrequency(uint16_t count, const uint16_t *ids);
KELVANE_API uint32_t UpdateTZFrequency(uint16_t count, const uint16_t *ids, const uint32_t *flags);
KELVANE_API uint32_t GetTZDescByID(const uint16_t *ids, uint16_t count, TZDesc *descs);
KELVANE_API uint32_t GetTZAllLanguageDescByID(uint16_t tzid, uint16_t *langCount, uint16_t *langIds, TZDesc *descs);
KELVANE_API uint32_t GetSelectTZInfo(uint16_t *count, const TZChar *groupName, uint16_t *ids,
                                     TZChar **names, TZChar **labels, uint16_t selection);
KELVANE_API uint32_t GetAllTZInfo(uint32_t *count, uint16_t *ids, TZChar **entries, uint16_t selection);
KELVANE_API uint32_t GetSelectTZOffsetInfo(uint16_t zoneNum, uint16_t *count, TZChar **field2Texts,
                                           TZChar **field4Texts, TZChar **field3Texts);
KELVANE_API uint32_t SearchTZbyName(const TZChar *name, uint16_t *count, uint16_t *ids, TZChar **names);
KELVANE_API uint32_t QueryTZDltStateByDate(uint16_t tzid, const SYSTEMTIME *date, uint32_t *state);
KELVANE_API int32_t GetTZOffset(uint16_t tzid1, uint16_t tzid2, uint32_t reserved);
KELVANE_API uint32_t ChangeTZ(uint16_t tzid, uint32_t dlt);
KELVANE_API uint32_t FixTZ(void);
KELVANE_API uint32_t GetTZDaylightTime(uint32_t *daylight);
KELVANE_API uint32_t GetDayNumOfMonth(const TZDate *date);
KELVANE_API uint32_t GetDayOfWeek(const TZDate *date);
KELVANE_API uint32_t IsDateValid(const TZDate *date);
KELVANE_API uint16_t GetDateFromWeekInfo(uint16_t year, uint16_t month, uint16_t week, uint16_t dayOfWeek);
KELVANE_API uint32_t CalcDateTime(SYSTEMTIME *time, int32_t seconds);
KELVANE_API int32_t CompareDateTime(const SYSTEMTIME *a, const SYSTEMTIME *b);
KELVANE_API uint32_t TimeConvert_SYSTEMTIME_To_DWORD(const SYSTEMTIME *time, uint32_t *date, uint16_t *hourMinute);
KELVANE_API uint32_t TimeConvert_DWORD_To_SYSTEMTIME(const uint32_t *date, const uint16_t *hourMinute, SYSTEMTIME *time);
KELVANE_API TZChar *wcsncpy_sc(TZChar *dest, const TZChar *src, uint16_t capacity);
KELVANE_API TZChar *SubStr_sc(TZChar *dest, const TZChar *src, uint16_t start, uint16_t end, uint16_t capacity);

#ifdef __cplusplus
}
#endif

#endif /* KELVANE_H */
