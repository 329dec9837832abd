#include "record/data_writer.h"

#include "base/text.h"
#include "platform/host_files.h"
#include "platform/memory.h"
#include "platform/platform.h"
#include "record/data_path.h"
#include "record/temporary_name.h"

namespace kelvane {
namespace {
constexpr TZChar kByteOrderMark = 0xFEFF;
// Fresh names tried before the writer gives up; an exclusive creation fails
// for a name in use (a rare collision, or a planted file or link).
constexpr int kNameAttempts = 4;

// Little-endian bytes of text, written in pieces through a small buffer.
bool WriteUnits(Platform &platform, FileHandle file, TextView text) noexcept {
    unsigned char bytes[512];
    while (!text.empty()) {
        const std::size_t n = text.size() < sizeof bytes / 2 ? text.size() : sizeof bytes / 2;
        for (std::size_t i = 0; i < n; ++i) {
            bytes[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<unsigned char>((text[i] >> 8) & 0xFF);
        }
        if (!platform.WriteFile(file, bytes, 2 * n)) return false;
        text.remove_prefix(n);
    }
    return true;
}

bool WriteContent(Platform &platform, FileHandle file, std::uint16_t lineCount, const TZChar *const *lines) noexcept {
    const TZChar mark = kByteOrderMark;
    if (!WriteUnits(platform, file, TextView(&mark, 1))) return false;
    for (std::uint16_t i = 0; i < lineCount; ++i) {
        if (lines[i] == nullptr) continue;
        if (!WriteUnits(platform, file, ViewOf(lines[i], SIZE_MAX))) return false;
    }
    return platform.FlushFile(file);
}

// Syncs the directory of path, cut at its last separator in place and restored.
void SyncDirectory(Platform &platform, TZChar *path) noexcept {
    std::size_t cut = BoundedLength(path, kPathUnits);
    while (cut > 0 && path[cut - 1] != host::kSeparator) --cut;
    if (cut == 0) return;
    const TZChar separator = path[cut - 1];
    path[cut - 1] = 0;
    platform.SyncDirectory(path);
    path[cut - 1] = separator;
}

// A new temporary file beside target, created exclusively under a fresh name.
FileHandle CreateTemporary(Platform &platform, const TZChar *target, TZChar *temporary) noexcept {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (!BuildTemporaryName(target, platform.UniqueNumber(), temporary)) return kNoFile;
        const FileHandle file = platform.CreateNewFile(temporary);
        if (file != kNoFile) return file;
    }
    return kNoFile;
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

    Platform &platform = CurrentPlatform();
    const FileHandle file = CreateTemporary(platform, target, temporary);
    if (file == kNoFile) return Result::File;
    bool written = WriteContent(platform, file, lineCount, lines);
    written = platform.CloseFile(file) && written;
    if (!written || !platform.ReplaceFile(temporary, target)) {
        platform.DeleteFile(temporary);
        return Result::Write;
    }
    SyncDirectory(platform, target);  // the new file is in place even if this fails
    return Result::Ok;
}

Result WriteDataFile(const DataDirectoryLock &lock, const TZChar *fileName, std::uint16_t lineCount,
                     const TZChar *const *lines) noexcept {
    if (fileName == nullptr || lineCount == 0 || lines == nullptr) return Result::Param;
    DataFileWriter writer;
    if (const Result prepared = writer.Prepare(); prepared != Result::Ok) return prepared;
    return writer.Write(lock, fileName, lineCount, lines);
}

}  // namespace kelvane
