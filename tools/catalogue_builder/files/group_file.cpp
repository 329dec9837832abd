// TZ_Zone.ini: which zones make up each named group of the zone picker.
#include "files/field_checks.h"
#include "files/writers.h"

namespace kelvane::builder {

WriteOutcome WriteGroupFile(const std::vector<GroupEntry> &groups) {
    DataFile file(
        {
            KT(";TZID -- 时区ID\r\n"),
            KT(";Group -- 时区分组名称\r\n"),
            KT(";\r\n"),
            KT(";字段中出现空格使用字符$代替\r\n"),
        },
        KT(";TZID\tGroup\r\n"));
    for (const GroupEntry &g : groups) {
        const std::string which = "TZ_Zone.ini: zone " + std::to_string(g.id) + ": ";
        if (const std::string problem = FieldProblem("group", g.group); !problem.empty())
            return WriteOutcome::Failed(which + problem);
        file.Add().Unsigned(g.id, 5).Unit(u'\t').FieldText(g.group).Text(kCrLf);
        if (!file.LastLineFits()) return WriteOutcome::Failed(which + "line too long or file full");
    }
    return file.Write(kGroupFile);
}

}  // namespace kelvane::builder
