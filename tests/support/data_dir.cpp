#include "support/data_dir.h"

#include <fstream>
#include <random>
#include <sstream>

#include "platform/platform.h"

namespace kelvane::test {
namespace {
// A new directory of a random name: create_directory says whether it was new.
std::filesystem::path MakeTemporaryDirectory() {
    static std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = std::filesystem::temp_directory_path() / ("kelvane-" + std::to_string(random()));
        if (std::filesystem::create_directory(path)) return path;
    }
    throw std::runtime_error("no temporary directory could be created");
}
}  // namespace

std::string Utf16Bytes(const Text &text, bool byteOrderMark) {
    std::string bytes;
    if (byteOrderMark) bytes += "\xFF\xFE";
    for (TZChar c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

DataDir::DataDir() : path_(MakeTemporaryDirectory()), device_((path_ / "host").string()) {
    testing::InstallPlatform(&device_);
}

DataDir::~DataDir() {
    testing::InstallPlatform(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void DataDir::WriteBytes(const std::string &name, const std::string &bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void DataDir::WriteLines(const std::string &name, const std::vector<Text> &lines) const {
    Text joined;  // CR LF after each line
    for (const Text &line : lines) joined += line + KT("\r\n");
    WriteBytes(name, Utf16Bytes(joined));
}

std::string FileBytes(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string DataDir::ReadBytes(const std::string &name) const { return FileBytes(path_ / name); }

bool DataDir::Exists(const std::string &name) const { return std::filesystem::exists(path_ / name); }

void DataDir::Remove(const std::string &name) const { std::filesystem::remove(path_ / name); }

void DataDir::WriteDevice(const std::string &text) const { WriteBytes("device.ini", text); }

std::map<std::string, std::string> DataDir::Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(path_)) {
        const std::string name = entry.path().filename().string();
        // Windows locks the directory through this empty file, made on first use.
        if (name != "Kelvane.lock") files[name] = ReadBytes(name);
    }
    return files;
}

void DataDir::Restore(const std::map<std::string, std::string> &snapshot) const {
    for (const auto &[name, bytes] : Snapshot())
        if (!snapshot.count(name)) Remove(name);
    for (const auto &[name, bytes] : snapshot)
        if (ReadBytes(name) != bytes || !Exists(name)) WriteBytes(name, bytes);
}

}  // namespace kelvane::test
