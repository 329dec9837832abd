#include "files/data_file.h"

#include "files/field_text.h"
#include "record/data_writer.h"

namespace kelvane::builder {

DataFile::DataFile(std::initializer_list<const TZChar *> legend, const TZChar *columns, const std::basic_string<TZChar> &note) {
    allocated_ = lines_.Allocate() == Result::Ok;
    if (!allocated_) return;
    AppendBanner(lines_);
    for (const TZChar *line : legend) lines_.Add().Text(line);
    if (!note.empty()) lines_.Add().Unit(u';').Text(note).Text(kCrLf);
    AppendSeparator(lines_);
    lines_.Add().Text(kCrLf);
    lines_.Add().Text(columns);
}

LineBuilder DataFile::Add() {
    if (lines_.Count() == kMaxFileLines) overflow_ = true;
    return lines_.Add();
}

bool DataFile::LastLineFits() const {
    if (!allocated_ || overflow_ || lines_.Count() == 0) return false;
    const TZChar *line = lines_.Lines()[lines_.Count() - 1];
    const std::size_t n = BoundedLength(line, kFileLineUnits);
    return n >= 2 && line[n - 2] == u'\r' && line[n - 1] == u'\n';
}

WriteOutcome DataFile::Write(const TZChar *fileName) const {
    const std::string name = ToUtf8(Text(fileName));
    if (!allocated_) return WriteOutcome::Failed(name + ": out of memory");
    if (overflow_) return WriteOutcome::Failed(name + ": more than " + std::to_string(kMaxFileLines) + " lines");
    DataDirectoryLock lock;
    Result written = lock.Acquire();
    if (written == Result::Ok) written = WriteDataFile(lock, fileName, lines_);
    if (written != Result::Ok)
        return WriteOutcome::Failed(name + ": cannot be written (result " + std::to_string(Code(written)) + ")");
    return {};
}

}  // namespace kelvane::builder
