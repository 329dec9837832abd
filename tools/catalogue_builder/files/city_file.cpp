// TZ_CityZoneNum.ini: the cities filed under each zone, with their country
// and its code. Each text fits the caller's room with its terminator, so the
// engine hands it out whole.
#include <tuple>

#include "files/field_checks.h"
#include "files/writers.h"

namespace kelvane::builder {

WriteOutcome WriteCityFile(const std::vector<CityEntry> &cities) {
    DataFile file(
        {
            KT(";ZoneNum -- 时区ID\r\n"),
            KT(";City -- 城市名称\r\n"),
            KT(";Country -- 国家或地区名称\r\n"),
            KT(";Code -- 国家或地区代码\r\n"),
            KT(";\r\n"),
            KT(";字段中出现空格使用字符$代替\r\n"),
        },
        KT(";ZoneNum\tCity\tCountry\tCode\r\n"));
    for (const CityEntry &c : cities) {
        const std::string which = "TZ_CityZoneNum.ini: zone " + std::to_string(c.id) + ": ";
        for (const auto &[label, text, room] : {std::tuple{"city", &c.city, kCityRoom},
                                                std::tuple{"country", &c.country, kCountryRoom},
                                                std::tuple{"country code", &c.countryCode, kCountryCodeRoom}}) {
            if (const std::string problem = FieldProblem(label, *text, room - 1); !problem.empty())
                return WriteOutcome::Failed(which + problem);
        }
        file.Add()
            .Unsigned(c.id, 5)
            .Unit(u'\t')
            .FieldText(c.city)
            .Unit(u'\t')
            .FieldText(c.country)
            .Unit(u'\t')
            .FieldText(c.countryCode)
            .Text(kCrLf);
        if (!file.LastLineFits()) return WriteOutcome::Failed(which + "line too long or file full");
    }
    return file.Write(kCityFile);
}

}  // namespace kelvane::builder
