// Plain file access on POSIX hosts, by UTF-8 path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Kelvane.h"
#include "platform/platform.h"

namespace kelvane::posix {

// The engine builds paths with backslashes, as the device does; the host wants slashes.
std::string NativePath(const TZChar *path);

FileHandle OpenForReading(const std::string &path) noexcept;
FileHandle OpenForWriting(const std::string &path) noexcept;
std::int64_t Read(FileHandle file, void *buffer, std::size_t bytes) noexcept;
bool Write(FileHandle file, const void *data, std::size_t bytes) noexcept;
bool Flush(FileHandle file) noexcept;
bool Close(FileHandle file) noexcept;
bool Replace(const std::string &source, const std::string &target) noexcept;
bool Delete(const std::string &path) noexcept;

// Reads a whole small file; false if it cannot be opened or read.
bool ReadWhole(const std::string &path, std::string *contents);
// Writes a file through a temporary beside it, then renames it into place.
bool ReplaceWhole(const std::string &path, const std::string &contents);

// Path of the running executable.
std::string ExecutablePath();

}  // namespace kelvane::posix
