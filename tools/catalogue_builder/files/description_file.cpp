// A language's description file: a zone's list name, short name, standard
// and daylight names, one zone a line.
#include <utility>

#include "files/field_checks.h"
#include "files/writers.h"

namespace kelvane::builder {

std::vector<std::string> FitDescription(ZoneDescription *d) {
    Text *const names[] = {&d->listName, &d->shortName, &d->standardName, &d->daylightName};
    Text whole[4];
    for (std::size_t i = 0; i < 4; ++i) whole[i] = CleanText(*names[i]);
    for (Text *name : names) *name = FieldText(*name);
    // The identifier, four tabs and the CR LF take the rest of the line.
    const std::size_t overhead = std::to_string(d->id).size() + 4 + 2;
    FitTogether(names, 4, kLineUnits - overhead);
    std::vector<std::string> cut;
    for (std::size_t i = 0; i < 4; ++i)
        if (*names[i] != whole[i])
            cut.push_back("Desc" + std::to_string(i + 1) + " \"" + ToUtf8(whole[i]) + "\" cut to \"" +
                          ToUtf8(*names[i]) + "\"");
    return cut;
}

WriteOutcome WriteDescriptionFile(const Language &language) {
    const std::string name = ToUtf8(language.fileName);
    DataFile file(
        {
            KT(";TZID -- 时区ID\r\n"),
            KT(";Desc1 -- 列表名称\r\n"),
            KT(";Desc2 -- 简短名称\r\n"),
            KT(";Desc3 -- 标准时间名称\r\n"),
            KT(";Desc4 -- 夏令时间名称\r\n"),
            KT(";\r\n"),
            KT(";字段中出现空格使用字符$代替\r\n"),
        },
        KT(";TZID\tDesc1\tDesc2\tDesc3\tDesc4\r\n"));
    for (const ZoneDescription &d : language.descriptions) {
        const std::string which = name + ": zone " + std::to_string(d.id) + ": ";
        for (const auto &[label, text] : {std::pair{"Desc1", &d.listName}, std::pair{"Desc2", &d.shortName},
                                          std::pair{"Desc3", &d.standardName}, std::pair{"Desc4", &d.daylightName}}) {
            if (const std::string problem = FieldProblem(label, *text); !problem.empty())
                return WriteOutcome::Failed(which + problem);
        }
        file.Add()
            .Unsigned(d.id)
            .Unit(u'\t')
            .FieldText(d.listName)
            .Unit(u'\t')
            .FieldText(d.shortName)
            .Unit(u'\t')
            .FieldText(d.standardName)
            .Unit(u'\t')
            .FieldText(d.daylightName)
            .Text(kCrLf);
        if (!file.LastLineFits()) return WriteOutcome::Failed(which + "line over 254 units or file full");
    }
    return file.Write(language.fileName.c_str());
}

}  // namespace kelvane::builder
