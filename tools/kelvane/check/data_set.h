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
};

// nullopt when the file is missing or holds no year.
std::optional<DataSetRecord> ReadDataSetRecord(const std::filesystem::path &directory);

// "rules of 2026, tz database 2026f, names from CLDR 42.0 through ICU 72.1".
std::string DescribeDataSet(const DataSetRecord &record);

// The warning for a device whose clock is in another year than the rules;
// nullopt when the years agree.
std::optional<std::string> StaleRulesWarning(const DataSetRecord &record, int clockYear);

}  // namespace kelvane::tool
