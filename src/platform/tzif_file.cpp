#include "platform/tzif_file.h"

namespace kelvane {
namespace {
constexpr std::size_t kHeaderBytes = 44;

std::uint64_t BigEndian(std::string_view bytes, std::size_t at, std::size_t width) noexcept {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct Counts {
    std::uint64_t isUt, isStd, leap, time, type, chars;
    std::uint64_t DataBytes(std::uint64_t timeWidth) const noexcept {
        return time * timeWidth + time + type * 6 + chars + leap * (timeWidth + 4) + isStd + isUt;
    }
};

// The 44-byte header at the start of bytes: magic, version, 15 reserved bytes, six counts.
bool ReadHeader(std::string_view bytes, char *version, Counts *c) noexcept {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != "TZif") return false;
    *version = bytes[4];
    std::uint64_t *fields[] = {&c->isUt, &c->isStd, &c->leap, &c->time, &c->type, &c->chars};
    for (std::size_t i = 0; i < 6; ++i) *fields[i] = BigEndian(bytes, 20 + 4 * i, 4);
    if (c->type == 0 || c->type > 256) return false;
    return (c->isUt == 0 || c->isUt == c->type) && (c->isStd == 0 || c->isStd == c->type);
}

// "\n" TZ "\n" after the version 2 data; false when it is not there.
bool ReadFooter(std::string_view rest, std::string_view *footer) noexcept {
    if (rest.empty() || rest[0] != '\n') return false;
    const std::size_t end = rest.find('\n', 1);
    if (end == std::string_view::npos) return false;
    *footer = rest.substr(1, end - 1);
    return true;
}
}  // namespace

bool TzifView::Parse(std::string_view bytes) noexcept {
    char version = 0;
    Counts v1{}, v2{};
    if (!ReadHeader(bytes, &version, &v1) || version < '2') return false;
    // The counts are below 2^32 each, so the sums cannot overflow 64 bits.
    const std::uint64_t secondHeader = kHeaderBytes + v1.DataBytes(4);
    if (secondHeader > bytes.size() || !ReadHeader(bytes.substr(secondHeader), &version, &v2)) return false;
    std::string_view data = bytes.substr(secondHeader + kHeaderBytes);
    if (data.size() < v2.DataBytes(8)) return false;
    times_ = data.substr(0, v2.time * 8);
    typeIndexes_ = data.substr(v2.time * 8, v2.time);
    typeRecords_ = data.substr(v2.time * 9, v2.type * 6);
    transitions_ = v2.time;
    types_ = v2.type;
    if (!ReadFooter(data.substr(v2.DataBytes(8)), &footer_)) return false;
    for (std::size_t i = 0; i < transitions_; ++i) {
        if (TransitionType(i) >= types_) return false;
        if (i > 0 && TransitionTime(i) <= TransitionTime(i - 1)) return false;
    }
    return true;
}

std::int64_t TzifView::TransitionTime(std::size_t i) const noexcept {
    return static_cast<std::int64_t>(BigEndian(times_, i * 8, 8));
}

std::uint8_t TzifView::TransitionType(std::size_t i) const noexcept {
    return static_cast<std::uint8_t>(typeIndexes_[i]);
}

LocalType TzifView::Type(std::size_t i) const noexcept {
    const auto offset = static_cast<std::uint32_t>(BigEndian(typeRecords_, i * 6, 4));
    return {static_cast<std::int32_t>(offset), typeRecords_[i * 6 + 4] != 0};
}

namespace {
// Before the first transition, or in a file without any, the C library takes
// the first standard-time type (the first type when all are daylight time).
LocalType TypeBeforeTransitions(const TzifView &zone) noexcept {
    for (std::size_t i = 0; i < zone.TypeCount(); ++i)
        if (!zone.Type(i).isDaylight) return zone.Type(i);
    return zone.Type(0);
}
}  // namespace

LocalType ZoneTypeAt(const TzifView &zone, const PosixRule *footer, std::int64_t instant) noexcept {
    const std::size_t count = zone.TransitionCount();
    if (count == 0 || instant < zone.TransitionTime(0)) return TypeBeforeTransitions(zone);
    // The footer governs from the last transition on, and not at all in a
    // file without transitions.
    if (footer != nullptr && instant >= zone.TransitionTime(count - 1)) return RuleTypeAt(*footer, instant);
    std::size_t low = 0, high = count;  // the first transition after the instant
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (zone.TransitionTime(middle) <= instant) low = middle + 1;
        else high = middle;
    }
    return zone.Type(zone.TransitionType(low - 1));
}

}  // namespace kelvane
