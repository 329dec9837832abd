// Zone facts shared by several subcommands: names, rules and local times.
#pragma once

#include <string>
#include <vector>

#include "context.h"

namespace kelvane::tool {

// The zone's record; throws EngineError when it is not in the catalogue.
TZInfo LoadZone(const Session &session, uint16_t id);
// The zone's texts in the interface language; empty texts when it has none.
TZDesc LoadDescription(const Session &session, uint16_t id);

// "+08:00"-style offset from UTC of a bias in minutes (UTC = local + bias).
std::string UtcOffsetText(int32_t bias);
Json RuleJson(const TZInfo &zone);
std::string RuleText(const TZInfo &zone);

// The device's current UTC time.
SYSTEMTIME DeviceUtc(Session &session);

struct ZoneClock {
    SYSTEMTIME local;
    int32_t bias;  // minutes, daylight included
    bool daylight;
};
// The zone's wall clock at the given UTC time, its rule judged on the
// zone's own clock, where the catalogue's rule hours are.
ZoneClock ClockOf(const Session &session, const TZInfo &zone, const SYSTEMTIME &utc);

}  // namespace kelvane::tool
