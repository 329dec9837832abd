// Zone facts shared by several subcommands: names, rules and local times.
#pragma once

#include <string>
#include <vector>

#include "check/utc_offset.h"
#include "context.h"

namespace kelvane::tool {

// A zone number right-aligned in five columns and a gap, as the lists print it.
std::string IdColumn(uint16_t id);
// A list entry of GetAllTZInfo as shown: "(GMT)" is followed by a space, as
// the labels with an offset are.
std::string EntryText(const TZChar *entry);
// A bare label of GetSelectTZInfo padded so the names after it line up.
std::string LabelColumn(const TZChar *label);

// Caller-owned text buffers and the pointer array the engine writes through.
struct TextBuffers {
    TextBuffers(std::size_t count, std::size_t units) : storage(count * units, 0), pointers(count) {
        for (std::size_t i = 0; i < count; ++i) pointers[i] = storage.data() + i * units;
    }
    std::vector<TZChar> storage;
    std::vector<TZChar *> pointers;
};
inline constexpr std::size_t kEntryUnits = 76;  // a 12-unit label, a 63-unit name, the terminator

// The zone's record; throws EngineError when it is not in the catalogue.
TZInfo LoadZone(const Session &session, uint16_t id);
// The zone's texts in the interface language; empty texts when it has none.
TZDesc LoadDescription(const Session &session, uint16_t id);

Json RuleJson(const TZInfo &zone);
std::string RuleText(const TZInfo &zone);

// The device's current UTC time.
SYSTEMTIME DeviceUtc(Session &session);

struct ZoneClock {
    SYSTEMTIME local;  // meaningless when !shown
    int64_t bias;      // minutes, daylight included
    bool daylight;
    bool shown;  // false: a bias beyond a day, which no clock can show
};
// The zone's wall clock at the given UTC time, its rule judged on the
// zone's own clock, where the catalogue's rule hours are.
ZoneClock ClockOf(const Session &session, const TZInfo &zone, const SYSTEMTIME &utc);

}  // namespace kelvane::tool
