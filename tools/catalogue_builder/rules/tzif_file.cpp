#include "rules/tzif_file.h"

#include <fstream>
#include <sstream>

namespace kelvane::builder {
namespace {
// Big-endian reads over the file's bytes; any read past the end fails the whole parse.
class ByteCursor {
public:
    explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t n) const { return bytes_.size() - pos_ >= n; }
    std::size_t Position() const { return pos_; }
    std::string_view Take(std::size_t n) {
        const std::string_view part = bytes_.substr(pos_, n);
        pos_ += n;
        return part;
    }
    std::uint64_t Unsigned(std::size_t width) {
        std::uint64_t value = 0;
        for (unsigned char c : Take(width)) value = value << 8 | c;
        return value;
    }
    bool Skip(std::size_t n) {
        if (!Has(n)) return false;
        pos_ += n;
        return true;
    }
    std::string_view Rest() const { return bytes_.substr(pos_); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

struct Counts {
    std::uint32_t isUt, isStd, leap, time, type, chars;
    std::size_t DataBytes(std::size_t timeWidth) const {
        return time * timeWidth + time + type * 6 + chars + leap * (timeWidth + 4) + isStd + isUt;
    }
};

// The 44-byte header: magic, version, 15 reserved bytes, six counts.
std::optional<Counts> ReadHeader(ByteCursor &in, char *version) {
    if (!in.Has(44) || in.Take(4) != "TZif") return std::nullopt;
    *version = in.Take(1)[0];
    in.Skip(15);
    Counts c{};
    for (std::uint32_t *field : {&c.isUt, &c.isStd, &c.leap, &c.time, &c.type, &c.chars})
        *field = static_cast<std::uint32_t>(in.Unsigned(4));
    if (c.type == 0 || c.type > 256 || (c.isUt != 0 && c.isUt != c.type) || (c.isStd != 0 && c.isStd != c.type))
        return std::nullopt;
    return c;
}

bool ReadVersion2Data(ByteCursor &in, const Counts &c, TzifData *data) {
    if (!in.Has(c.DataBytes(8))) return false;
    for (std::uint32_t i = 0; i < c.time; ++i)
        data->transitionTimes.push_back(static_cast<std::int64_t>(in.Unsigned(8)));
    for (std::uint32_t i = 0; i < c.time; ++i) {
        const auto type = static_cast<std::uint8_t>(in.Unsigned(1));
        if (type >= c.type) return false;
        data->transitionTypes.push_back(type);
    }
    for (std::uint32_t i = 0; i < c.type; ++i) {
        LocalType t;
        t.utcOffset = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Unsigned(4)));
        t.isDaylight = in.Unsigned(1) != 0;
        in.Skip(1);  // abbreviation index
        data->types.push_back(t);
    }
    in.Skip(c.chars + c.leap * 12 + c.isStd + c.isUt);
    for (std::size_t i = 1; i < data->transitionTimes.size(); ++i)
        if (data->transitionTimes[i] <= data->transitionTimes[i - 1]) return false;
    return true;
}

// "\n" TZ "\n" after the version 2 data.
std::optional<std::string> ReadFooter(ByteCursor &in) {
    const std::string_view rest = in.Rest();
    if (rest.empty() || rest[0] != '\n') return std::nullopt;
    const std::size_t end = rest.find('\n', 1);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(rest.substr(1, end - 1));
}
}  // namespace

std::optional<TzifData> ParseTzif(std::string_view bytes) {
    ByteCursor in(bytes);
    char version = 0;
    const auto v1 = ReadHeader(in, &version);
    if (!v1 || version < '2' || !in.Skip(v1->DataBytes(4))) return std::nullopt;
    const auto v2 = ReadHeader(in, &version);
    TzifData data;
    if (!v2 || !ReadVersion2Data(in, *v2, &data)) return std::nullopt;
    const auto footer = ReadFooter(in);
    if (!footer) return std::nullopt;
    data.footer = *footer;
    return data;
}

std::optional<TzifData> ReadTzifFile(const std::filesystem::path &path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ParseTzif(bytes.str());
}

}  // namespace kelvane::builder
