#include "check/data_set.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <tuple>
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
    if (const auto it = keys.find("coordinates"); it != keys.end()) record.coordinates = it->second;
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

std::string SystemTzdataVersion() {
    const char *dir = std::getenv("TZDIR");
    std::ifstream in(std::filesystem::path(dir != nullptr && *dir != '\0' ? dir : "/usr/share/zoneinfo") / "tzdata.zi");
    std::string line;
    std::getline(in, line);
    const std::string prefix = "# version ";
    return line.starts_with(prefix) ? Trimmed(line.substr(prefix.size())) : std::string();
}

namespace {
// "2026f" as (2026, "f"); nullopt for anything else.
std::optional<std::pair<int, std::string>> Release(const std::string &version) {
    int year = 0;
    const auto [end, error] = std::from_chars(version.data(), version.data() + version.size(), year);
    if (error != std::errc() || end != version.data() + 4) return std::nullopt;
    const std::string letters(end, version.data() + version.size());
    for (char c : letters)
        if (c < 'a' || c > 'z') return std::nullopt;
    return std::pair{year, letters};
}
}  // namespace

bool TzdataOlder(const std::string &a, const std::string &b) {
    const auto x = Release(a), y = Release(b);
    if (!x || !y) return false;
    return std::tuple(x->first, x->second.size(), x->second) < std::tuple(y->first, y->second.size(), y->second);
}

std::optional<std::string> OlderTzdataWarning(const DataSetRecord &record, const std::string &systemVersion) {
    if (!TzdataOlder(record.tzdata, systemVersion)) return std::nullopt;
    return "data built from tzdata " + record.tzdata + "; this system has " + systemVersion +
           ": run scripts/regenerate-data.sh";
}

}  // namespace kelvane::tool
