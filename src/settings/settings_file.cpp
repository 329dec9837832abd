#include "settings/settings_file.h"

#include "record/data_writer.h"
#include "record/line_list.h"
#include "record/record_reader.h"

namespace kelvane {
namespace {
constexpr std::uint16_t kSettingsMinFields = 3;

constexpr const TZChar *kLegend[] = {
    KT(";TZID -- 时区ID\r\n"),
    KT(";DLT -- 是否使用夏令时\r\n"),
    KT(";LangID -- 语言ID\r\n"),
    KT(";DefaultTZ -- 缺省时区\r\n"),
    KT(";\r\n"),
    KT(";Detail -- 注释作用, 不使用\r\n"),
    KT(";字段中出现空格使用字符$代替\r\n"),
};

void AppendRecordLine(LineList &lines, const TZSetting &s) noexcept {
    lines.Add()
        .Unsigned(s.TZID, 5)
        .Unit(u'\t')
        .Unsigned(s.DLT, 3)
        .Unit(u'\t')
        .Unsigned(s.LangID, 4, true)
        .Unit(u'\t')
        .Unsigned(s.DefaultTZ, 9)
        .Text(KT("\t0x"))
        .Hex(s.LangID, 4);
}
}  // namespace

Result ReadTZSetting(TZSetting *setting) noexcept {
    RecordReader reader;
    return ReadTZSetting(reader, setting);
}

Result ReadTZSetting(RecordReader &reader, TZSetting *setting) noexcept {
    if (setting == nullptr) return Result::Param;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    Result found = Result::NotFound;
    const Result read = reader.Read(kSettingsFile, kSettingsMinFields, [&](const RecordLine &line) noexcept {
        setting->TZID = line.U16(0);
        setting->DLT = line.U16(1);
        setting->LangID = line.U16(2);
        setting->DefaultTZ = line.Count() > 3 ? line.U16(3) : 0;
        found = Result::Ok;
        return false;
    });
    return read != Result::Ok ? read : found;
}

void ComposeTZSetting(const TZSetting &setting, LineList &lines) noexcept {
    AppendBanner(lines);
    for (const TZChar *legend : kLegend) lines.Add().Text(legend);
    AppendSeparator(lines);
    lines.Add().Text(kCrLf);
    lines.Add().Text(KT(";TZID\tDLT\tLangID\tDefaultTZ\tDetail\r\n"));
    AppendRecordLine(lines, setting);
}

Result WriteTZSetting(const DataDirectoryLock &lock, const TZSetting *setting) noexcept {
    if (setting == nullptr) return Result::Param;
    LineList lines;
    if (lines.Allocate() != Result::Ok) return Result::NoMemory;
    ComposeTZSetting(*setting, lines);
    return WriteDataFile(lock, kSettingsFile, lines);
}

}  // namespace kelvane
