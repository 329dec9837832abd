// The common read loop of every data-file reader.
//
// A call opens a RecordReader once (parser and buffers), then reads each file
// it needs through it; the data directory is looked up at the first file and
// kept for the others. A line whose first field begins with ';' (a comment) is
// skipped before it is split; any other line is split where the line reader
// holds it and handed on only if it has at least the file's minimum number of
// fields. Each file's reader is then a small handler that does only what that
// file needs, and the loop itself exists once.
#pragma once

#include <cstdint>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/memory.h"
#include "platform/platform.h"
#include "platform/scoped_file.h"
#include "record/data_path.h"
#include "record/field_parser.h"
#include "record/line_reader.h"
#include "record/number.h"
#include "record/result.h"

namespace kelvane {

// One accepted line: its fields, valid until the next line is read.
class RecordLine {
public:
    RecordLine(const FieldBuffer *fields, std::uint16_t count) noexcept : fields_(fields), count_(count) {}
    std::uint16_t Count() const noexcept { return count_; }
    const TZChar *Field(std::uint16_t i) const noexcept { return fields_[i]; }
    TextView Text(std::uint16_t i) const noexcept { return ViewOf(fields_[i], kFieldUnits); }
    std::int32_t Number(std::uint16_t i) const noexcept { return WideToLong(fields_[i]); }
    std::uint16_t U16(std::uint16_t i) const noexcept { return WideToU16(fields_[i]); }

private:
    const FieldBuffer *fields_;
    std::uint16_t count_;
};

class RecordReader {
public:
    // Ok; Parser when the parser could not be created (whatever else failed);
    // NoMemory when only a buffer could not be had. Operations that share a
    // reader each open it; once open, it stays open and Open gives Ok.
    Result Open() noexcept;

    // Reads the data file through the loop; onLine(const RecordLine &)
    // returns false to stop early. File when the file cannot be opened or a
    // read fails before the end of the file.
    template <typename OnLine>
    Result Read(const TZChar *fileName, std::uint16_t minFields, OnLine &&onLine) noexcept;

    // The same loop handing on every piece of the file as it stands, with its
    // record when the loop accepts it and nullptr when not (a comment, a blank
    // or a short line): for a writer that must carry lines through unchanged.
    // onPiece(TextView piece, const RecordLine *line) returns false to stop.
    template <typename OnPiece>
    Result ReadPieces(const TZChar *fileName, std::uint16_t minFields, OnPiece &&onPiece) noexcept;

private:
    Result OpenFile(const TZChar *fileName, FileHandle *file) noexcept;
    bool Accept(TextView piece, std::uint16_t minFields, std::uint16_t *count) noexcept;

    ParserHandle parser_;
    Owned<TZChar[]> path_;
    std::size_t directoryLength_ = 0;  // 0 until the directory is known
    Owned<TZChar[]> chunk_;
};

template <typename OnPiece>
Result RecordReader::ReadPieces(const TZChar *fileName, std::uint16_t minFields, OnPiece &&onPiece) noexcept {
    FileHandle opened = kNoFile;
    if (const Result r = OpenFile(fileName, &opened); r != Result::Ok) return r;
    Platform &platform = CurrentPlatform();
    const ScopedFile file(platform, opened);
    LineReader lines(platform, file.Get(), chunk_.get());
    TextView piece;
    std::uint16_t count = 0;
    bool stopped = false;
    while (!stopped && lines.Next(&piece)) {
        if (Accept(piece, minFields, &count)) {
            const RecordLine line(parser_->GetFields(), count);
            stopped = !onPiece(piece, &line);
        } else {
            stopped = !onPiece(piece, static_cast<const RecordLine *>(nullptr));
        }
    }
    return lines.Failed() ? Result::File : Result::Ok;
}

template <typename OnLine>
Result RecordReader::Read(const TZChar *fileName, std::uint16_t minFields, OnLine &&onLine) noexcept {
    return ReadPieces(fileName, minFields, [&onLine](TextView, const RecordLine *line) noexcept {
        return line == nullptr || onLine(*line);
    });
}

}  // namespace kelvane
