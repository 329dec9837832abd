#include "check/data_set.h"

#include <charconv>
#include <fstream>
#include <map>

namespace kelvane::tool {
namespace {
std::string Trimmed(const std::string &text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::map<std::string, std::string> ReadKeys(std::istream &in) {
    std::map<std::string, std::string> keys;
    for (std::string line; std::getline(in, line);) {
        const auto equals = line.find('=');
        if (Trimmed(line).starts_with('#') || equals == std::string::npos) continue;
        keys.emplace(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
    return keys;
}

std::string Or(const std::map<std::string, std::string> &keys, const char *key) {
    const auto it = keys.find(key);
    return it == keys.end() || it->second.empty() ? "unknown" : it->second;
}
}  // namespace

std::optional<DataSetRecord> ReadDataSetRecord(const std::filesystem::path &directory) {
    std::ifstream in(directory / kDataSetFile);
    if (!in) return std::nullopt;
    const auto keys = ReadKeys(in);
    const auto year = keys.find("year");
    DataSetRecord record;
    if (year == keys.end()) return std::nullopt;
    const std::string &text = year->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), record.year);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    record.tzdata = Or(keys, "tzdata");
    record.cldr = Or(keys, "cldr");
    record.icu = Or(keys, "icu");
    return record;
}

std::string DescribeDataSet(const DataSetRecord &r) {
    return "rules of " + std::to_string(r.year) + ", tz database " + r.tzdata + ", names from CLDR " + r.cldr +
           " through ICU " + r.icu;
}

std::optional<std::string> StaleRulesWarning(const DataSetRecord &record, int clockYear) {
    if (record.year == clockYear) return std::nullopt;
    return "the data holds the rules of " + std::to_string(record.year) + " but the device's clock is in " +
           std::to_string(clockYear) + ": zones whose rules change from year to year may be wrong (see README.md; " +
           "regenerate with: bash scripts/regenerate-data.sh " + std::to_string(clockYear) + ")";
}

}  // namespace kelvane::tool
