// The data set record, dataset.txt: which year's rules the catalogue holds
// and which tz database and CLDR data it was made from. The catalogue
// builder writes it; the engine never reads it. UTF-8, one `key = value` a
// line, `#` comments, as device.ini.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kelvane::tool {

inline constexpr const char *kDataSetFile = "dataset.txt";

struct DataSetRecord {
    int year = 0;
    std::string tzdata, cldr, icu;
    std::string coordinates = "degrees/100";  // the unit of X and Y, or "pixels WxH"
};

// nullopt when the file is missing or holds no year.
std::optional<DataSetRecord> ReadDataSetRecord(const std::filesystem::path &directory);

// "rules of 2026, tz database 2026f, names from CLDR 42.0 through ICU 72.1".
std::string DescribeDataSet(const DataSetRecord &record);

// The warning for a device whose clock is in another year than the rules;
// nullopt when the years agree.
std::optional<std::string> StaleRulesWarning(const DataSetRecord &record, int clockYear);

// The version of this system's tz database ("2026f", from the "# version"
// line of tzdata.zi under $TZDIR or /usr/share/zoneinfo); empty when there
// is none (Windows).
std::string SystemTzdataVersion();

// Whether release a is older than b: "2026f" < "2027a", "2026z" < "2026za".
bool TzdataOlder(const std::string &a, const std::string &b);

// The warning for a data set built from an older tz database than the
// system's; nullopt when it is not older or either version is unknown.
std::optional<std::string> OlderTzdataWarning(const DataSetRecord &record, const std::string &systemVersion);

}  // namespace kelvane::tool
