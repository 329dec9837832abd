// Zone names: descriptions, display lists, cities, search by name.
#include "Kelvane.h"
#include "catalogue/zone_list.h"
#include "names/all_language_descriptions.h"
#include "names/city_lookup.h"
#include "names/display_lists.h"
#include "names/name_search.h"
#include "names/zone_descriptions.h"
#include "platform/platform.h"

using namespace kelvane;

extern "C" uint32_t GetTZDescByID(const uint16_t *ids, uint16_t count, TZDesc *descs) {
    const PlatformCallScope scope;
    if (ids == nullptr || count == 0 || descs == nullptr) return Code(Result::Param);
    return Code(ReadZoneDescriptions(ids, count, descs));
}

extern "C" uint32_t GetTZAllLanguageDescByID(uint16_t tzid, uint16_t *langCount, uint16_t *langIds,
                                             TZDesc *descs) {
    const PlatformCallScope scope;
    if (langCount == nullptr || langIds == nullptr || descs == nullptr) return Code(Result::Param);
    return Code(DescribeInEveryLanguage(tzid, langCount, langIds, descs));
}

extern "C" uint32_t GetSelectTZInfo(uint16_t *count, const TZChar *groupName, uint16_t *ids, TZChar **names,
                                    TZChar **labels, uint16_t selection) {
    const PlatformCallScope scope;
    if (count == nullptr || groupName == nullptr || ids == nullptr || names == nullptr || labels == nullptr)
        return Code(Result::Param);
    return Code(BuildGroupList(groupName, selection, GroupListOutput{count, ids, names, labels}));
}

extern "C" uint32_t GetAllTZInfo(uint32_t *count, uint16_t *ids, TZChar **entries, uint16_t selection) {
    const PlatformCallScope scope;
    if (count == nullptr || ids == nullptr || entries == nullptr || selection > kSelectUserZones)
        return Code(Result::Param);
    return Code(BuildCatalogueList(selection, count, ids, entries));
}

// The count is the capacity going in and the number stored coming out, 0 on a refusal.
extern "C" uint32_t GetSelectTZOffsetInfo(uint16_t zoneNum, uint16_t *count, TZChar **field2Texts,
                                          TZChar **field4Texts, TZChar **field3Texts) {
    const PlatformCallScope scope;
    if (count == nullptr) return Code(Result::Param);
    const uint16_t capacity = *count;
    *count = 0;
    if (field2Texts == nullptr || field4Texts == nullptr || field3Texts == nullptr) return Code(Result::Param);
    return Code(ReadCities(zoneNum, capacity, CityRooms{field2Texts, field4Texts, field3Texts}, count));
}

extern "C" uint32_t SearchTZbyName(const TZChar *name, uint16_t *count, uint16_t *ids, TZChar **names) {
    const PlatformCallScope scope;
    if (count == nullptr) return Code(Result::Param);
    *count = 0;
    if (name == nullptr || ids == nullptr || names == nullptr) return Code(Result::Param);
    return Code(SearchCatalogue(name, count, ids, names));
}
