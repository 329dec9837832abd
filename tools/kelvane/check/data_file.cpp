#include "check/data_file.h"

#include <sstream>

#include "platform/host_files.h"
#include "platform/utf.h"
#include "record/field_parser.h"

namespace kelvane::tool {
namespace {
constexpr std::size_t kEngineLineUnits = 254;  // the engine reads longer lines in pieces
constexpr std::size_t kEngineFieldUnits = 63;
constexpr std::size_t kEngineFields = 32;
// Shipped data files are tens of kilobytes; a file this large is not sound
// data (a device node, a runaway generator) and is not read at all.
constexpr std::size_t kMaxFileBytes = 8u << 20;

enum class Reading { Read, Missing, NotRegular, TooLarge };

// The file's bytes, the way the engine opens it: a regular file only, opened
// without blocking (a FIFO never hangs the check), and never more than the cap.
Reading ReadBounded(const std::filesystem::path &path, std::string *bytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return Reading::Missing;
    const auto wide = path.u16string();
    const FileHandle file = host::OpenForReading(reinterpret_cast<const TZChar *>(wide.c_str()));
    if (file == kNoFile) return Reading::NotRegular;
    char chunk[65536];
    std::int64_t n = 0;
    while (bytes->size() <= kMaxFileBytes && (n = host::Read(file, chunk, sizeof chunk)) > 0)
        bytes->append(chunk, static_cast<std::size_t>(n));
    host::Close(file);
    return bytes->size() > kMaxFileBytes ? Reading::TooLarge : Reading::Read;
}

bool LooksLikeUtf8(const std::string &bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return true;
    return bytes.find('\0') == std::string::npos;  // UTF-16 text of ASCII digits is full of zero bytes
}

std::u16string DecodeUnits(const std::string &bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

// Raw fields up to the carriage return, uncut, so limits can be reported.
std::vector<std::u16string> RawFields(const std::u16string &line) {
    std::vector<std::u16string> fields;
    std::u16string field;
    for (char16_t c : line) {
        if (c == u'\r') break;
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (!field.empty()) fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty()) fields.push_back(field);
    return fields;
}

void CheckLimits(const std::string &name, int number, const std::u16string &line, Problems &problems) {
    if (line.size() > kEngineLineUnits)
        problems.Error(name, number,
                       "line of " + std::to_string(line.size()) + " units; the engine reads at most " +
                           std::to_string(kEngineLineUnits) + " and takes the rest as another line");
    const auto raw = RawFields(line);
    if (!raw.empty() && raw[0][0] == u';') return;  // a comment's fields are never read
    if (raw.size() > kEngineFields)
        problems.Error(name, number, std::to_string(raw.size()) + " fields; the engine ignores all after the 32nd");
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].size() > kEngineFieldUnits)
            problems.Error(name, number,
                           "field " + std::to_string(i + 1) + " is " + std::to_string(raw[i].size()) +
                               " units long; the engine keeps the first 63");
    }
}

DataLine SplitLikeTheEngine(int number, const std::u16string &line) {
    DataLine result;
    result.number = number;
    ParserHandle parser = CreateFieldParser();
    if (!parser || !parser->SetLine(reinterpret_cast<const TZChar *>(line.c_str()))) {
        result.blank = true;
        return result;
    }
    std::uint16_t count = kMaxFields;
    parser->Split(parser->GetFields(), &count);
    for (std::uint16_t i = 0; i < count; ++i)
        result.fields.emplace_back(reinterpret_cast<const char16_t *>(parser->GetFields()[i]));
    result.blank = result.fields.empty();
    result.comment = !result.blank && result.fields[0][0] == u';';
    return result;
}
}  // namespace

std::string Utf8(const std::u16string &text) {
    return ToUtf8(std::basic_string_view<TZChar>(reinterpret_cast<const TZChar *>(text.data()), text.size()));
}

std::optional<DataFile> LoadDataFile(const std::filesystem::path &directory, const std::string &name,
                                     Problems &problems) {
    std::string bytes;
    switch (ReadBounded(directory / name, &bytes)) {
        case Reading::Missing:
            problems.Error(name, 0, "missing: the engine fails with 1001 wherever it needs this file");
            return std::nullopt;
        case Reading::NotRegular:
            problems.Error(name, 0, "not a regular file: the engine fails with 1001 wherever it needs this file");
            return std::nullopt;
        case Reading::TooLarge:
            problems.Warning(name, 0, "more than " + std::to_string(kMaxFileBytes) +
                                          " bytes: too large to be a sound data file; not checked");
            return std::nullopt;
        case Reading::Read: break;
    }
    if (bytes.empty()) {
        problems.Error(name, 0, "empty file: it must at least hold the UTF-16LE byte-order mark");
        return DataFile{name, {}};
    }
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE) {
        if (LooksLikeUtf8(bytes)) {
            problems.Error(name, 0, "not UTF-16LE (it looks like UTF-8 or ASCII); save it as UTF-16LE with a byte-order mark");
            return std::nullopt;
        }
        problems.Error(name, 0, "no UTF-16LE byte-order mark (FF FE) at the start");
    }
    if (bytes.size() % 2 != 0) problems.Error(name, 0, "odd number of bytes: the file is truncated or not UTF-16");

    std::u16string units = DecodeUnits(bytes);
    if (!units.empty() && units[0] == 0xFEFF) units.erase(0, 1);
    DataFile file{name, {}};
    std::size_t start = 0;
    int number = 1;
    while (start < units.size()) {
        std::size_t end = units.find(u'\n', start);
        end = end == std::u16string::npos ? units.size() : end + 1;
        const std::u16string line = units.substr(start, end - start);
        if (line.find(u'\0') != std::u16string::npos)
            problems.Error(name, number, "holds a NUL character; the engine ignores the line from there on");
        CheckLimits(name, number, line, problems);
        file.lines.push_back(SplitLikeTheEngine(number, line));
        start = end;
        ++number;
    }
    return file;
}

int Problems::ErrorCount() const {
    int n = 0;
    for (const Problem &p : list_) n += p.error ? 1 : 0;
    return n;
}

std::string Format(const Problem &problem) {
    std::ostringstream out;
    out << problem.file;
    if (problem.line > 0) out << ':' << problem.line;
    out << ": " << (problem.error ? "error" : "warning") << ": " << problem.message;
    return out.str();
}

}  // namespace kelvane::tool
