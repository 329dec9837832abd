#include "record/record_reader.h"

namespace kelvane {

Result RecordReader::Open() noexcept {
    path_ = AllocateArray<TZChar>(kPathUnits);
    chunk_ = AllocateArray<unsigned char>(kReadChunkBytes);
    parser_ = CreateFieldParser();
    if (!parser_) return Result::Parser;
    if (!path_ || !chunk_) return Result::NoMemory;
    return Result::Ok;
}

Result RecordReader::OpenFile(const TZChar *fileName, FileHandle *file) noexcept {
    if (BuildDataFilePath(fileName, path_.get()) != Result::Ok) return Result::File;
    *file = CurrentPlatform().OpenForReading(path_.get());
    return *file == kNoFile ? Result::File : Result::Ok;
}

bool RecordReader::Accept(std::uint16_t minFields, std::uint16_t *count) noexcept {
    if (!parser_->SetLine(piece_)) return false;
    *count = kMaxFields;
    if (!parser_->Split(parser_->GetFields(), count)) return false;
    if (*count == 0 || *count < minFields) return false;
    return parser_->GetFields()[0][0] != u';';
}

}  // namespace kelvane
