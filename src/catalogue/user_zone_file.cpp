#include "catalogue/user_zone_file.h"

#include "catalogue/catalogue_files.h"
#include "record/data_writer.h"
#include "record/line_list.h"

namespace kelvane {
namespace {
// The legend the file has always carried, wording and all: the Dlt lines
// repeat the Std wording and the Type line still lists 0/1/2, though user
// zones are stored with Type 3.
constexpr const TZChar *kLegend[] = {
    KT(";TZID -- 时区字段ID\r\n"),
    KT(";Offset -- 相对偏移时间(分钟)\r\n"),
    KT(";Type -- 城市反查ID用, 类型定义: 0、默认基本类型(系统, 主要为了兼容以前系统) 1、基本类型(系统) 2、用户定义类型\r\n"),
    KT(";StdMonth -- 标准时间月(开始)\r\n"),
    KT(";StdDay -- 标准时间第几DayOfWeek\r\n"),
    KT(";StdDayOfWeek --周几\r\n"),
    KT(";StdHour -- 标准时间小时\r\n"),
    KT(";StdOffSet -- 标准时间偏移\r\n"),
    KT(";DltMonth -- 标准时间月(开始)\r\n"),
    KT(";DltDay -- 标准时间第几DayOfWeek\r\n"),
    KT(";DltDayOfWeek --周几\r\n"),
    KT(";DltHour -- 标准时间小时\r\n"),
    KT(";DltOffSet -- 标准时间偏移\r\n"),
    KT(";X -- 坐标X\r\n"),
    KT(";Y -- 坐标Y\r\n"),
    KT(";Contact -- 缺省时区ID\r\n"),
    KT(";Detail -- 注释作用, 不使用\r\n"),
    KT(";\r\n"),
    KT(";字段中出现空格使用字符$代替\r\n"),
};

constexpr const TZChar *kColumns =
    KT(";TZID\tOffset\tType\tStdMonth\tStdDay\tStdDayOfWeek\tStdHour\tStdOffSet\tDltMonth\tDltDay\tDltDayOfWeek\t"
       "DltHour\tDltOffset\tX\tY\tContact\tDetail\r\n");

constexpr std::uint16_t kHeaderLines = 38;

std::uint32_t LiveZones(const TZInfo *zones, std::uint16_t count) noexcept {
    std::uint32_t live = 0;
    for (std::uint16_t i = 0; i < count; ++i) live += zones[i].TZID != 0 ? 1 : 0;
    return live;
}

void AppendHeader(LineList &lines) noexcept {
    AppendBanner(lines);
    for (const TZChar *legend : kLegend) lines.Add().Text(legend);
    AppendSeparator(lines);
    lines.Add().Text(kCrLf);
    lines.Add().Text(kColumns);
}

bool IsDropped(std::uint16_t id, const std::uint16_t *dropped, std::uint16_t droppedCount) noexcept {
    for (std::uint16_t i = 0; i < droppedCount; ++i) {
        if (dropped[i] == id) return true;
    }
    return false;
}

// Copies the pieces that follow the last user zone the list read carries
// into lines, each as it stands. A piece without a line end continues in the
// next one, which goes or stays with it.
class UncarriedLines {
public:
    UncarriedLines(LineList &lines, const std::uint16_t *dropped, std::uint16_t droppedCount) noexcept
        : lines_(lines), dropped_(dropped), droppedCount_(droppedCount) {}

    bool OnPiece(TextView piece, const RecordLine *line) noexcept {
        const bool continuation = continues_;
        continues_ = piece.back() != u'\n';
        if (carried_ < TZ_MAX_USER_ZONES) {
            if (line != nullptr && LineZoneType(*line) == kUserZoneType) ++carried_;
            return true;
        }
        if (!continuation) dropping_ = line != nullptr && IsDropped(LineZoneId(*line), dropped_, droppedCount_);
        if (dropping_) return true;
        if (lines_.Count() == kMaxFileLines) {
            overflowed_ = true;
            return false;
        }
        lines_.Add().Text(piece);
        return true;
    }
    bool Overflowed() const noexcept { return overflowed_; }

private:
    LineList &lines_;
    const std::uint16_t *dropped_;
    std::uint16_t droppedCount_;
    std::uint16_t carried_ = 0;
    bool continues_ = false, dropping_ = false, overflowed_ = false;
};

Result AppendUncarriedLines(LineList &lines, const std::uint16_t *dropped, std::uint16_t droppedCount) noexcept {
    RecordReader reader;
    if (const Result opened = reader.Open(); opened != Result::Ok) return opened;
    UncarriedLines uncarried(lines, dropped, droppedCount);
    const Result read = reader.ReadPieces(kUserCatalogueFile, kUserZoneMinFields,
                                          [&](TextView piece, const RecordLine *line) noexcept {
                                              return uncarried.OnPiece(piece, line);
                                          });
    return uncarried.Overflowed() ? Result::Write : read;
}
}  // namespace

Result SaveUserTZFile(const DataDirectoryLock &lock, const TZInfo *zones, std::uint16_t count,
                      const std::uint16_t *dropped, std::uint16_t droppedCount) noexcept {
    if (zones == nullptr || count == 0) return Result::Param;
    if (LiveZones(zones, count) > kMaxFileLines - kHeaderLines) return Result::Param;
    LineList lines;
    if (lines.Allocate() != Result::Ok) return Result::NoMemory;
    AppendHeader(lines);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (zones[i].TZID != 0) AppendZoneLine(lines.Add(), zones[i]);
    }
    if (const Result tail = AppendUncarriedLines(lines, dropped, droppedCount); tail != Result::Ok) return tail;
    return WriteDataFile(lock, kUserCatalogueFile, lines);
}

Result CreateUserTZFile(const DataDirectoryLock &lock) noexcept {
    LineList lines;
    if (lines.Allocate() != Result::Ok) return Result::NoMemory;
    AppendHeader(lines);
    return WriteDataFile(lock, kUserCatalogueFile, lines);
}

}  // namespace kelvane
