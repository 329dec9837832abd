#include "record/data_writer.h"

#include "base/text.h"
#include "platform/atomic_replace.h"
#include "platform/memory.h"
#include "record/data_path.h"

namespace kelvane {
namespace {
constexpr TZChar kByteOrderMark = 0xFEFF;

// Little-endian bytes of text, written in pieces through a small buffer.
bool WriteUnits(Platform &files, FileHandle file, TextView text) noexcept {
    unsigned char bytes[512];
    while (!text.empty()) {
        const std::size_t n = text.size() < sizeof bytes / 2 ? text.size() : sizeof bytes / 2;
        for (std::size_t i = 0; i < n; ++i) {
            bytes[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<unsigned char>((text[i] >> 8) & 0xFF);
        }
        if (!files.WriteFile(file, bytes, 2 * n)) return false;
        text.remove_prefix(n);
    }
    return true;
}

bool WriteContent(Platform &files, FileHandle file, std::uint16_t lineCount, const TZChar *const *lines) noexcept {
    const TZChar mark = kByteOrderMark;
    if (!WriteUnits(files, file, TextView(&mark, 1))) return false;
    for (std::uint16_t i = 0; i < lineCount; ++i) {
        if (lines[i] == nullptr) continue;
        if (!WriteUnits(files, file, ViewOf(lines[i], SIZE_MAX))) return false;
    }
    return true;
}
}  // namespace

Result DataFileWriter::Prepare() noexcept {
    target_ = AllocateArray<TZChar>(kPathUnits);
    temporary_ = AllocateArray<TZChar>(kPathUnits);
    return target_ && temporary_ ? Result::Ok : Result::NoMemory;
}

Result DataFileWriter::Write(const DataDirectoryLock &lock, const TZChar *fileName, std::uint16_t lineCount,
                             const TZChar *const *lines) noexcept {
    if (fileName == nullptr || lineCount == 0 || lines == nullptr) return Result::Param;
    if (!lock.Held()) return Result::Write;
    if (!target_ || !temporary_) return Result::NoMemory;
    TZChar *target = target_.get(), *temporary = temporary_.get();
    if (BuildDataFilePath(fileName, target) != Result::Ok) return Result::File;

    Platform &files = CurrentPlatform();
    auto write = [&](FileHandle file) noexcept { return WriteContent(files, file, lineCount, lines); };
    switch (ReplaceAtomically(files, target, temporary, write)) {
    case ReplaceOutcome::Replaced: return Result::Ok;
    case ReplaceOutcome::NotCreated: return Result::File;
    case ReplaceOutcome::NotWritten: return Result::Write;
    }
    return Result::Write;
}

Result WriteDataFile(const DataDirectoryLock &lock, const TZChar *fileName, std::uint16_t lineCount,
                     const TZChar *const *lines) noexcept {
    if (fileName == nullptr || lineCount == 0 || lines == nullptr) return Result::Param;
    DataFileWriter writer;
    if (const Result prepared = writer.Prepare(); prepared != Result::Ok) return prepared;
    return writer.Write(lock, fileName, lineCount, lines);
}

}  // namespace kelvane
