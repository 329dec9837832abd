// The common read loop of every data-file reader.
//
// A call opens a RecordReader once (parser and buffers), then reads each file
// it needs through it; the data directory is looked up at the first file and
// kept for the others. A line whose first field begins with ';' (a comment) is
// skipped; any other line is handed on, where the line reader holds it, only
// if it has at least the file's minimum number of fields: its fields are
// located, not copied. Each file's reader is then a small handler that does
// only what that file needs, and the loop itself exists once.
#pragma once

#include <cstdint>
#include <type_traits>

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

// One accepted line, where the line reader holds it, and where its fields
// begin: a field is copied or converted only when asked for, each one as the
// parser would have stored it. Valid until the next line is read.
class RecordLine {
public:
    RecordLine(TextView line, const FieldMap *map, std::uint16_t count, FieldBuffer *buffers) noexcept
        : line_(line), map_(map), count_(count), buffers_(buffers) {}
    std::uint16_t Count() const noexcept { return count_; }
    // Field i's text ('$' as a space, at most 63 units), copied on demand.
    TextView Text(std::uint16_t i) const noexcept {
        return TextView(buffers_[i], CopyField(Begin(i), End(), buffers_[i]));
    }
    // Whether field i's text begins with prefix, nothing copied.
    bool BeginsWith(std::uint16_t i, const TZChar *prefix) const noexcept {
        return FieldBeginsWith(Begin(i), End(), prefix);
    }
    std::int32_t Number(std::uint16_t i) const noexcept { return FieldToLong(Begin(i), End()); }
    std::uint16_t U16(std::uint16_t i) const noexcept { return WideToU16(Begin(i), End()); }

private:
    const TZChar *Begin(std::uint16_t i) const noexcept { return line_.data() + map_->Start(i); }
    const TZChar *End() const noexcept { return line_.data() + line_.size(); }

    TextView line_;
    const FieldMap *map_;
    std::uint16_t count_;
    FieldBuffer *buffers_;
};

// The filter of a reader that wants every line: its first field is then not
// converted ahead of the rest.
struct AnyLine {
    bool operator()(std::uint16_t) const noexcept { return true; }
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
    Result Read(const TZChar *fileName, std::uint16_t minFields, OnLine &&onLine) noexcept {
        return ReadWhere(fileName, minFields, AnyLine{}, onLine);
    }

    // The same for a reader that looks only at lines whose first field, as a
    // 16-bit number, is wanted(number): any other line is passed over before
    // the rest of it is looked at.
    template <typename Wanted, typename OnLine>
    Result ReadWhere(const TZChar *fileName, std::uint16_t minFields, Wanted &&wanted, OnLine &&onLine) noexcept;

    // The same loop handing on every piece of the file as it stands, with its
    // record when the loop accepts it and nullptr when not (a comment, a blank
    // or a short line): for a writer that must carry lines through unchanged.
    // onPiece(TextView piece, const RecordLine *line) returns false to stop.
    template <typename OnPiece>
    Result ReadPieces(const TZChar *fileName, std::uint16_t minFields, OnPiece &&onPiece) noexcept;

private:
    template <typename OnPiece>
    Result EachPiece(const TZChar *fileName, OnPiece &&onPiece) noexcept;
    Result OpenFile(const TZChar *fileName, FileHandle *file) noexcept;
    // The first field's start, or null for a blank line or a comment.
    static const TZChar *FirstField(TextView piece) noexcept {
        const TZChar *first = FirstFieldStart(piece);
        return first != nullptr && *first != u';' ? first : nullptr;
    }
    bool Accept(TextView piece, std::uint16_t minFields, std::uint16_t *count) noexcept {
        *count = locate_(piece, &fields_, kMaxFields);
        return *count != 0 && *count >= minFields;
    }

    FieldMap fields_;
    LocateFunction locate_ = ChooseLocateFields();
    ParserHandle parser_;
    Owned<TZChar[]> path_;
    std::size_t directoryLength_ = 0;  // 0 until the directory is known
    Owned<TZChar[]> chunk_;
};

// Opens the file and hands each piece to onPiece(TextView), which returns
// false to stop; the file is closed on every path.
template <typename OnPiece>
Result RecordReader::EachPiece(const TZChar *fileName, OnPiece &&onPiece) noexcept {
    FileHandle opened = kNoFile;
    if (const Result r = OpenFile(fileName, &opened); r != Result::Ok) return r;
    Platform &platform = CurrentPlatform();
    const ScopedFile file(platform, opened);
    LineReader lines(platform, file.Get(), chunk_.get());
    TextView piece;
    bool stopped = false;
    while (!stopped && lines.Next(&piece)) stopped = !onPiece(piece);
    return lines.Failed() ? Result::File : Result::Ok;
}

template <typename Wanted, typename OnLine>
Result RecordReader::ReadWhere(const TZChar *fileName, std::uint16_t minFields, Wanted &&wanted,
                               OnLine &&onLine) noexcept {
    return EachPiece(fileName, [&](TextView piece) noexcept {
        const TZChar *first = FirstField(piece);
        if (first == nullptr) return true;
        if constexpr (!std::is_same_v<std::remove_cvref_t<Wanted>, AnyLine>) {
            if (!wanted(WideToU16(first, piece.data() + piece.size()))) return true;
        }
        std::uint16_t count = 0;
        if (!Accept(piece, minFields, &count)) return true;
        return static_cast<bool>(onLine(RecordLine(piece, &fields_, count, parser_->GetFields())));
    });
}

template <typename OnPiece>
Result RecordReader::ReadPieces(const TZChar *fileName, std::uint16_t minFields, OnPiece &&onPiece) noexcept {
    return EachPiece(fileName, [&](TextView piece) noexcept {
        std::uint16_t count = 0;
        if (FirstField(piece) == nullptr || !Accept(piece, minFields, &count))
            return static_cast<bool>(onPiece(piece, static_cast<const RecordLine *>(nullptr)));
        const RecordLine line(piece, &fields_, count, parser_->GetFields());
        return static_cast<bool>(onPiece(piece, &line));
    });
}

}  // namespace kelvane
