// A catalogue zone as the platform's time-zone information, and whether the
// platform holds it.
//
// ChangeTZ hands a zone to the platform; FixTZ checks, at start-up, that the
// platform still holds the zone TZ_Set.ini names, and puts it back in place
// when a switch was cut short between the two (a crash, a failed rewrite).
// The platform's record is compared by what sets its clock, its offsets and
// its rule, not by its names: a zone whose texts changed is still the zone.
#pragma once

#include "Kelvane.h"
#include "platform/platform.h"
#include "record/record_reader.h"
#include "record/result.h"

namespace kelvane {

// The platform record of the zone; the names are cut to the 31 characters its fields hold.
TimeZoneInformation ZoneInformation(const TZInfo &zone, const TZDesc &names) noexcept;

// Whether a platform can apply the zone: biases within a day either way and,
// for a zone with a rule, changeovers a calendar has. AddTZ stores any
// fields, so a user zone may hold values no clock can take.
bool Applicable(const TZInfo &zone) noexcept;

// Whether the platform's record sets the clock as the zone does.
bool HoldsZone(const TimeZoneInformation &platformZone, const TZInfo &zone) noexcept;

// Puts the zone in place of the platform's, keeping the UTC time, unless the
// platform holds it already. The names are read as ChangeTZ reads them (their
// codes are returned); SetTimeZone when no platform can apply the zone, or
// this one refuses it. State when the platform's zone state is unknown.
Result AlignPlatformZone(RecordReader &reader, std::uint16_t tzid, const TZInfo &zone) noexcept;

}  // namespace kelvane
