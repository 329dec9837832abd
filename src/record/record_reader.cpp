#include "record/record_reader.h"

namespace kelvane {

Result RecordReader::Open() noexcept {
    if (parser_ && path_ && chunk_) return Result::Ok;
    path_ = AllocateArray<TZChar>(kPathUnits);
    chunk_ = AllocateArray<TZChar>(kReadChunkUnits);
    parser_ = CreateFieldParser();
    if (!parser_) return Result::Parser;
    if (!path_ || !chunk_) return Result::NoMemory;
    return Result::Ok;
}

Result RecordReader::OpenFile(const TZChar *fileName, FileHandle *file) noexcept {
    if (directoryLength_ == 0 && BuildDataDirectory(path_.get(), &directoryLength_) != Result::Ok) return Result::File;
    if (PlaceFileName(path_.get(), directoryLength_, fileName) != Result::Ok) return Result::File;
    *file = CurrentPlatform().OpenForReading(path_.get());
    return *file == kNoFile ? Result::File : Result::Ok;
}

}  // namespace kelvane
