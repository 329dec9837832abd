// TZ_Def.ini: the system catalogue, one zone a line, in the layout and
// column widths of the engine's own catalogue writer, so that the two
// catalogue files read alike.
#include <set>

#include "Kelvane.h"
#include "catalogue/catalogue_files.h"
#include "files/writers.h"

namespace kelvane::builder {
namespace {
// The record the engine's own line writer takes.
TZInfo ZoneRecord(const CatalogueZone &z) {
    const CatalogueRule &r = z.rule;
    TZInfo zone{};
    zone.TZID = z.id;
    zone.Type = z.type;
    zone.Offset = r.bias;
    zone.StdMonth = r.standardStart.month;
    zone.StdDay = r.standardStart.week;
    zone.StdDayOfWeek = r.standardStart.weekday;
    zone.StdHour = r.standardStart.hour;
    zone.StdOffSet = r.standardBias;
    zone.DltMonth = r.daylightStart.month;
    zone.DltDay = r.daylightStart.week;
    zone.DltDayOfWeek = r.daylightStart.weekday;
    zone.DltHour = r.daylightStart.hour;
    zone.DltOffset = r.daylightBias;
    zone.X = z.x;
    zone.Y = z.y;
    zone.Contact = z.contact;
    CopyText(zone.Detail, TextView(z.detail.data(), z.detail.size()));
    return zone;
}
}  // namespace

WriteOutcome WriteCatalogueFile(const std::vector<CatalogueZone> &zones, const Text &sources) {
    if (zones.size() > TZ_MAX_SYSTEM_ZONES)
        return WriteOutcome::Failed("TZ_Def.ini: more than " + std::to_string(TZ_MAX_SYSTEM_ZONES) + " zones");
    DataFile file(
        {
            KT(";TZID -- 时区字段ID\r\n"),
            KT(";Offset -- 相对偏移时间(分钟)\r\n"),
            KT(";Type -- 城市反查ID用, 类型定义: 0、默认基本类型(系统, 主要为了兼容以前系统) 1、基本类型(系统) 2、用户定义类型\r\n"),
            KT(";StdMonth -- 标准时间月(开始)\r\n"),
            KT(";StdDay -- 标准时间第几DayOfWeek\r\n"),
            KT(";StdDayOfWeek --周几\r\n"),
            KT(";StdHour -- 标准时间小时\r\n"),
            KT(";StdOffSet -- 标准时间偏移\r\n"),
            KT(";DltMonth -- 夏令时间月(开始)\r\n"),
            KT(";DltDay -- 夏令时间第几DayOfWeek\r\n"),
            KT(";DltDayOfWeek --周几\r\n"),
            KT(";DltHour -- 夏令时间小时\r\n"),
            KT(";DltOffset -- 夏令时间偏移\r\n"),
            KT(";X -- 坐标X\r\n"),
            KT(";Y -- 坐标Y\r\n"),
            KT(";Contact -- 缺省时区ID\r\n"),
            KT(";Detail -- 英文名称, 供按名称查找\r\n"),
            KT(";\r\n"),
            KT(";字段中出现空格使用字符$代替\r\n"),
        },
        KT(";TZID\tOffset\tType\tStdMonth\tStdDay\tStdDayOfWeek\tStdHour\tStdOffSet\tDltMonth\tDltDay\tDltDayOfWeek\t"
           "DltHour\tDltOffset\tX\tY\tContact\tDetail\r\n"),
        sources);
    std::set<std::uint16_t> seen;
    for (const CatalogueZone &z : zones) {
        const std::string which = "TZ_Def.ini: zone " + std::to_string(z.id);
        if (z.id == 0 || z.id >= 10000 || !seen.insert(z.id).second)
            return WriteOutcome::Failed(which + ": identifier zero, reserved for user zones, or repeated");
        if (z.detail.empty() || z.detail.size() > kFieldUnits - 1 || CleanText(z.detail) != z.detail)
            return WriteOutcome::Failed(which + ": Detail empty, over 63 units or not clean");
        AppendZoneLine(file.Add(), ZoneRecord(z));
        if (!file.LastLineFits()) return WriteOutcome::Failed(which + ": line too long or file full");
    }
    return file.Write(kSystemCatalogueFile);
}

}  // namespace kelvane::builder
