#include "check/data_check.h"

#include <map>
#include <set>

#include "check/data_file.h"
#include "check/data_set.h"
#include "check/field_rules.h"

namespace kelvane::tool {
namespace {
constexpr std::int64_t kMaxBias = 24 * 60;
constexpr std::size_t kMaxSystemZones = 150;
constexpr std::size_t kMaxUserZones = 50;
constexpr std::size_t kMaxLanguages = 32;
constexpr std::int64_t kFirstUserZone = 10000;
constexpr std::int64_t kLastUserZone = 10049;

// Catalogue line fields in file order, with what each may hold.
constexpr FieldRule kZoneFields[16] = {
    {"TZID", 1, 65535},        {"Offset", -kMaxBias, kMaxBias}, {"Type", 0, 3},
    {"StdMonth", 0, 12},       {"StdDay", 0, 5},                {"StdDayOfWeek", 0, 6},
    {"StdHour", 0, 23},        {"StdOffSet", -kMaxBias, kMaxBias}, {"DltMonth", 0, 12},
    {"DltDay", 0, 5},          {"DltDayOfWeek", 0, 6},          {"DltHour", 0, 23},
    {"DltOffset", -kMaxBias, kMaxBias}, {"X", INT32_MIN, INT32_MAX}, {"Y", INT32_MIN, INT32_MAX},
    {"Contact", 0, 65535},
};
constexpr FieldRule kZoneId{"TZID", 1, 65535};
constexpr FieldRule kLanguageId{"LangID", 1, 65535};

struct ZoneSource {
    std::string file;
    int line;
};

// The data lines of a file: not blank, not comments, with at least minFields
// fields; shorter ones are reported, since the engine skips them unseen.
std::vector<const DataLine *> DataLines(const DataFile &file, std::size_t minFields, Problems &problems) {
    std::vector<const DataLine *> lines;
    for (const DataLine &line : file.lines) {
        if (line.blank || line.comment) continue;
        if (line.fields.size() < minFields) {
            problems.Error(file.name, line.number,
                           std::to_string(line.fields.size()) + " fields, at least " + std::to_string(minFields) +
                               " needed: the engine skips this line");
            continue;
        }
        lines.push_back(&line);
    }
    return lines;
}

class DirectoryCheck {
public:
    DirectoryCheck(std::filesystem::path directory, std::optional<int> clockYear, std::string systemTzdata)
        : directory_(std::move(directory)), clockYear_(clockYear), systemTzdata_(std::move(systemTzdata)) {}

    Problems Run() {
        CheckCatalogue("TZ_Def.ini", 16, false);
        CheckCatalogue("TZ_UserDef.ini", 17, true);
        CheckSettings();
        CheckZoneReferences("TZ_Frequency.ini", 2, "favourite");
        CheckZoneReferences("TZ_Zone.ini", 2, "group entry");
        CheckCities();
        CheckLanguages();
        CheckDataSet();
        return std::move(problems_);
    }

private:
    std::optional<DataFile> Load(const std::string &name) { return LoadDataFile(directory_, name, problems_); }

    bool Known(std::int64_t id) const { return zones_.count(static_cast<std::uint16_t>(id)) != 0; }

    void CheckZoneRule(const std::string &file, const DataLine &line, const std::int64_t *v) {
        const bool std = v[3] != 0, dlt = v[8] != 0;
        if (std != dlt)
            problems_.Warning(file, line.number, "only one changeover month is set: the zone has no daylight saving");
        if (std && dlt && (v[4] == 0 || v[9] == 0))
            problems_.Warning(file, line.number, "a changeover week of 0 is read as the last week; write 5");
    }

    void CheckCatalogue(const std::string &name, std::size_t minFields, bool user) {
        const auto file = Load(name);
        if (!file) return;
        std::size_t count = 0;
        for (const DataLine *line : DataLines(*file, minFields, problems_)) {
            std::int64_t v[16];
            bool valid = true;
            for (std::size_t i = 0; i < 16; ++i) {
                const auto value = CheckNumber(name, *line, i, kZoneFields[i], problems_);
                valid = valid && value.has_value();
                v[i] = value.value_or(0);
            }
            if (!valid) continue;
            ++count;
            CheckZoneRule(name, *line, v);
            const auto id = static_cast<std::uint16_t>(v[0]);
            if (user && (v[0] < kFirstUserZone || v[0] > kLastUserZone))
                problems_.Error(name, line->number, "user zone " + std::to_string(v[0]) + " outside 10000 to 10049");
            if (user && v[2] != 3)
                problems_.Error(name, line->number, "user zone of Type " + std::to_string(v[2]) + ": only Type 3 is listed");
            if (!user && v[2] > 1)
                problems_.Error(name, line->number, "system zone of Type " + std::to_string(v[2]) + ": use 0 or 1");
            const auto [it, inserted] = zones_.emplace(id, ZoneSource{name, line->number});
            if (!inserted)
                problems_.Error(name, line->number,
                                "zone " + std::to_string(id) + " already defined at " + it->second.file + ":" +
                                    std::to_string(it->second.line));
            if (!user) systemZones_.insert(id);
        }
        const std::size_t limit = user ? kMaxUserZones : kMaxSystemZones;
        if (count > limit)
            problems_.Error(name, 0, std::to_string(count) + " zones; the engine lists at most " + std::to_string(limit));
    }

    void CheckSettings() {
        const auto file = Load("TZ_Set.ini");
        if (!file) return;
        const auto lines = DataLines(*file, 3, problems_);
        if (lines.empty()) {
            problems_.Error(file->name, 0, "no settings line: the current zone is unknown");
            return;
        }
        const DataLine &line = *lines.front();
        if (const auto id = CheckNumber(file->name, line, 0, kZoneId, problems_); id && !Known(*id))
            problems_.Error(file->name, line.number, "current zone " + std::to_string(*id) + " is not in the catalogue");
        CheckNumber(file->name, line, 1, {"DLT", 0, 1}, problems_);
        CheckNumber(file->name, line, 2, {"LangID", 0, 65535}, problems_);
        if (line.fields.size() < 4) {
            problems_.Warning(file->name, line.number, "no DefaultTZ field: the default zone reads as 0");
        } else if (const auto id = CheckNumber(file->name, line, 3, {"DefaultTZ", 0, 65535}, problems_);
                   id && *id != 0 && !Known(*id)) {
            problems_.Error(file->name, line.number, "default zone " + std::to_string(*id) + " is not in the catalogue");
        }
    }

    std::optional<DataFile> CheckZoneReferences(const std::string &name, std::size_t minFields, const std::string &what) {
        auto file = Load(name);
        if (!file) return file;
        for (const DataLine *line : DataLines(*file, minFields, problems_)) {
            const auto id = CheckNumber(name, *line, 0, kZoneId, problems_);
            if (id && !Known(*id))
                problems_.Error(name, line->number, what + " names zone " + std::to_string(*id) + ", which is not in the catalogue");
        }
        return file;
    }

    void CheckCities() {
        const std::string name = "TZ_CityZoneNum.ini";
        const auto file = CheckZoneReferences(name, 4, "city");
        if (!file) return;
        constexpr std::size_t kRoom[3] = {30, 20, 10};
        for (const DataLine &line : file->lines) {
            if (line.blank || line.comment || line.fields.size() < 4) continue;
            for (std::size_t i = 0; i < 3; ++i) {
                if (line.fields[i + 1].size() >= kRoom[i])
                    problems_.Warning(name, line.number,
                                      "field " + std::to_string(i + 2) + " is cut to " + std::to_string(kRoom[i] - 1) +
                                          " characters when listed");
            }
        }
    }

    void CheckLanguages() {
        const auto file = Load("Lang_Def.ini");
        if (!file) return;
        const auto lines = DataLines(*file, 2, problems_);
        if (lines.size() > kMaxLanguages)
            problems_.Warning(file->name, 0, std::to_string(lines.size()) + " languages; only the first 32 are listed");
        std::set<std::int64_t> seen;
        for (const DataLine *line : lines) {
            const auto id = CheckNumber(file->name, *line, 0, kLanguageId, problems_);
            if (id && !seen.insert(*id).second)
                problems_.Warning(file->name, line->number, "language " + std::to_string(*id) + " listed twice: the first line wins");
            CheckDescriptions(Utf8(line->fields[1]), file->name, line->number);
        }
        if (lines.empty()) problems_.Error(file->name, 0, "no language: zone names cannot be looked up");
    }

    // A name the engine opens only inside the data directory: relative, no
    // ".." component; subfolders are fine.
    static bool StaysInside(const std::string &name) {
        const std::filesystem::path path(name);
        if (path.empty() || path.has_root_path() || name.find(':') != std::string::npos) return false;
        for (const auto &part : path) {
            if (part == "..") return false;
        }
        return true;
    }

    void CheckDescriptions(const std::string &name, const std::string &languageFile, int languageLine) {
        if (!StaysInside(name)) {
            problems_.Error(languageFile, languageLine,
                            "description file " + name + " lies outside the data directory; the engine treats it as missing");
            return;
        }
        if (!std::filesystem::exists(directory_ / name)) {
            problems_.Error(languageFile, languageLine, "description file " + name + " is missing");
            return;
        }
        const auto file = Load(name);
        if (!file) return;
        std::set<std::uint16_t> described;
        for (const DataLine *line : DataLines(*file, 5, problems_)) {
            const auto id = CheckNumber(name, *line, 0, kZoneId, problems_);
            if (!id) continue;
            described.insert(static_cast<std::uint16_t>(*id));
            if (!Known(*id))
                problems_.Warning(name, line->number, "describes zone " + std::to_string(*id) + ", which is not in the catalogue");
        }
        std::vector<std::uint16_t> lacking;
        for (std::uint16_t id : systemZones_) {
            if (!described.count(id)) lacking.push_back(id);
        }
        if (lacking.empty()) return;
        std::string list;
        for (std::size_t i = 0; i < lacking.size() && i < 8; ++i) list += (i ? ", " : "") + std::to_string(lacking[i]);
        if (lacking.size() > 8) list += ", ...";
        problems_.Error(name, 0, "lacks " + std::to_string(lacking.size()) + " catalogue zone(s): " + list);
    }

    // Directories without a data set record (hand-made ones) are not judged.
    void CheckDataSet() {
        if (!std::filesystem::exists(directory_ / kDataSetFile)) return;
        const auto record = ReadDataSetRecord(directory_);
        if (!record) {
            problems_.Warning(kDataSetFile, 0, "no 'year = YYYY' line: the year of the rules is unknown");
            return;
        }
        if (const auto older = OlderTzdataWarning(*record, systemTzdata_)) problems_.Warning(kDataSetFile, 0, *older);
        if (!clockYear_) return;
        if (const auto stale = StaleRulesWarning(*record, *clockYear_)) problems_.Warning(kDataSetFile, 0, *stale);
    }

    std::filesystem::path directory_;
    std::optional<int> clockYear_;
    std::string systemTzdata_;
    Problems problems_;
    std::map<std::uint16_t, ZoneSource> zones_;
    std::set<std::uint16_t> systemZones_;
};
}  // namespace

Problems CheckDataDirectory(const std::filesystem::path &directory, std::optional<int> clockYear,
                            const std::string &systemTzdata) {
    return DirectoryCheck(directory, clockYear, systemTzdata).Run();
}

}  // namespace kelvane::tool
