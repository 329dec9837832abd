// A throw-away data directory with the simulated device installed over it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Kelvane.h"
#include "base/text.h"
#include "platform/simulated_device.h"
#include "record/data_lock.h"

namespace kelvane::test {

using Text = std::basic_string<TZChar>;

// UTF-16LE bytes of text, with a byte-order mark in front when asked.
std::string Utf16Bytes(const Text &text, bool byteOrderMark = true);

// A file's bytes; none when it cannot be read.
std::string FileBytes(const std::filesystem::path &path);

// The data directory's lock, held for as long as the object lives: a writer
// called directly, as an export would call it, takes HeldLock() for its lock.
class HeldLock : public DataDirectoryLock {
public:
    HeldLock() { Acquire(); }
};

class DataDir {
public:
    DataDir();
    ~DataDir();
    DataDir(const DataDir &) = delete;
    DataDir &operator=(const DataDir &) = delete;

    const std::filesystem::path &Path() const { return path_; }
    void WriteBytes(const std::string &name, const std::string &bytes) const;
    void WriteLines(const std::string &name, const std::vector<Text> &lines) const;
    std::string ReadBytes(const std::string &name) const;
    bool Exists(const std::string &name) const;
    void Remove(const std::string &name) const;
    void WriteDevice(const std::string &text) const;
    // Every file in the directory with its bytes.
    std::map<std::string, std::string> Snapshot() const;
    // Puts the directory back to a snapshot: its files, no others.
    void Restore(const std::map<std::string, std::string> &snapshot) const;

    SimulatedDevice &Device() { return device_; }

private:
    std::filesystem::path path_;
    SimulatedDevice device_;
};

}  // namespace kelvane::test
