// The Windows time zones of CLDR's mapping, as ICU holds it: each zone with
// its representative IANA zone (the mapping's entry for territory 001) and
// the IANA places (canonical location zones) that map to it.
#pragma once

#include <string>
#include <vector>

namespace kelvane::builder {

struct WindowsZone {
    std::string windowsId;
    std::string representative;
    std::vector<std::string> places;  // sorted
};

// Sorted by Windows identifier; empty, with the reason in *problem, on an ICU failure.
std::vector<WindowsZone> ListWindowsZones(std::string *problem);

}  // namespace kelvane::builder
