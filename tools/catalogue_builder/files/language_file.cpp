// Lang_Def.ini: each language's identifier and the name of its description
// file; the third field, a language tag, is for people and is not read.
#include <utility>

#include "files/field_checks.h"
#include "files/writers.h"

namespace kelvane::builder {

WriteOutcome WriteLanguageFile(const std::vector<Language> &languages) {
    if (languages.empty() || languages.size() > TZ_MAX_LANGUAGES)
        return WriteOutcome::Failed("Lang_Def.ini: needs 1 to " + std::to_string(TZ_MAX_LANGUAGES) + " languages");
    DataFile file(
        {
            KT(";LangID -- 语言ID\r\n"),
            KT(";FileName -- 时区描述文件名\r\n"),
            KT(";Tag -- 语言标记, 注释作用, 不使用\r\n"),
            KT(";\r\n"),
            KT(";字段中出现空格使用字符$代替\r\n"),
        },
        KT(";LangID\tFileName\tTag\r\n"));
    for (const Language &l : languages) {
        const std::string which = "Lang_Def.ini: language " + std::to_string(l.id) + ": ";
        if (l.id == 0) return WriteOutcome::Failed(which + "identifier 0");
        for (const auto &[label, text] : {std::pair{"FileName", &l.fileName}, std::pair{"Tag", &l.tag}}) {
            if (const std::string problem = FieldProblem(label, *text); !problem.empty())
                return WriteOutcome::Failed(which + problem);
        }
        file.Add().Unsigned(l.id, 5).Unit(u'\t').FieldText(l.fileName).Unit(u'\t').FieldText(l.tag).Text(kCrLf);
        if (!file.LastLineFits()) return WriteOutcome::Failed(which + "line too long or file full");
    }
    return file.Write(kLanguageFile);
}

}  // namespace kelvane::builder
