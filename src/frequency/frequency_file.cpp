#include "frequency/frequency_file.h"

#include "frequency/catalogue_check.h"
#include "platform/memory.h"
#include "record/data_writer.h"
#include "record/line_list.h"
#include "record/record_reader.h"

namespace kelvane {
namespace {
// Banner, two legend lines and the separator.
constexpr std::uint16_t kHeaderLines = 19;

// Field 1 of every data line, in file order, at most kFrequencyCapacity.
Result ReadListFile(RecordReader &reader, std::uint16_t *list, std::uint16_t *count) noexcept {
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    std::uint16_t n = 0;
    const Result read = reader.Read(kFrequencyFile, kFrequencyMinFields, [&](const RecordLine &line) noexcept {
        list[n++] = line.U16(0);
        return n < kFrequencyCapacity;
    });
    if (read == Result::Ok) *count = n;
    return read;
}
}  // namespace

Result ReadTZFrequency(std::uint16_t *count, std::uint16_t *ids, bool checkCatalogue) noexcept {
    Owned<std::uint16_t[]> list = AllocateArray<std::uint16_t>(kFrequencyCapacity);
    if (!list) return Result::NoMemory;
    std::uint16_t n = 0;
    RecordReader reader;
    if (const Result read = ReadListFile(reader, list.get(), &n); read != Result::Ok) return read;
    *count = 0;
    if (n == 0) return Result::Ok;
    if (checkCatalogue) return KeepCatalogueZones(reader, list.get(), n, ids, count);
    for (std::uint16_t i = 0; i < n; ++i) ids[i] = list[i];
    *count = n;
    return Result::Ok;
}

Result ReadFrequencyList(std::uint16_t *list, std::uint16_t *count) noexcept {
    RecordReader reader;
    return ReadListFile(reader, list, count);
}

Result WriteTZFrequency(const DataDirectoryLock &lock, std::uint16_t count, const std::uint16_t *ids) noexcept {
    if (count > kMaxFileLines - kHeaderLines || (count > 0 && ids == nullptr)) return Result::Param;
    LineList lines;
    if (lines.Allocate() != Result::Ok) return Result::NoMemory;
    AppendBanner(lines);
    lines.Add().Text(KT(";TZID -- 时区ID\r\n"));
    lines.Add().Text(KT(";Count -- 使用次数\r\n"));
    AppendSeparator(lines);
    for (std::uint16_t i = 0; i < count; ++i) lines.Add().Unsigned(ids[i], 5).Text(KT("\t1\r\n"));
    return WriteDataFile(lock, kFrequencyFile, lines);
}

}  // namespace kelvane
