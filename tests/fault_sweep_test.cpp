// One fault sweep over all 34 exports. Each export runs once cleanly while the
// platform counts its file operations and the allocator its allocations; then
// it runs again with exactly one of them failing, for every one it made. The
// failure points are found by counting, so new code is swept without editing
// this table. Every run starts from the same files and must end either as the
// clean run did (the failure was absorbed: a best-effort directory sync, a
// temporary name tried again, a stale file left for later) or with the
// documented code for that failure and every file, device.ini included, byte
// for byte as before (save the files a row names: a change the documents say
// stays). No run may leak memory or a file descriptor.
#include <gtest/gtest.h>

#include <filesystem>
#include <concepts>
#include <functional>
#include <set>

#include "Kelvane.h"
#include "platform/device_config.h"
#include "platform/memory.h"
#include "dst/dst_world.h"
#include "support/faulty_device.h"

namespace kelvane {
namespace {
using test::FaultyDevice;
using test::FileOp;
using Snapshot = std::map<std::string, std::string>;
using Codes = std::set<uint32_t>;

const Codes kMemory = {TZ_ERR_NO_MEMORY, TZ_ERR_PARSER};

Codes DocumentedCodes(FileOp op) {
    switch (op) {
        case test::kOpen: case test::kRead: case test::kCreate: return {TZ_ERR_FILE};
        case test::kWrite: case test::kFlush: case test::kClose: case test::kCloseWritten: case test::kReplace:
        case test::kLock: return {TZ_ERR_WRITE};
        // The platform failing as a whole: state unknown, no language, no clock key, a zone refused.
        case test::kDeviceRead: return {TZ_ERR_STATE, TZ_ERR_NO_LANGUAGE, TZ_ERR_REGISTRY, TZ_ERR_SET_TZ};
        case test::kDeviceWrite: return {TZ_ERR_REGISTRY, TZ_ERR_SET_TZ};
        default: return {};  // delete, directory sync, list: never decide a result
    }
}

// The process's open descriptors where the host can list them, and the
// handles the platform handed out either way (Wine's own descriptors come
// and go, so under Wine only the latter count).
std::int64_t OpenDescriptors(const test::FaultyDevice &device) {
    std::int64_t n = device.openHandles;
#if !defined(_WIN32)
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
#endif
    return n;
}

// Zones with and without a rule, a user zone, names in two languages, a
// group table, cities, favourites, settings, and a device set up by a switch.
class SweepWorld : public test::World {
public:
    SweepWorld() : World("clock = 2024-07-01 12:00:00\n", KT("33 1 1033 33")), device((Path() / "host").string()) {
        device.skipDurability = true;  // thousands of runs; durability is not what is swept
        testing::InstallPlatform(&device);
        WriteLines("TZ_Frequency.ini", {KT("33 1"), KT("10000 1")});
        WriteLines("Lang_Def.ini", {KT("1033 En.ini"), KT("2052 Zh.ini")});
        WriteLines("Zh.ini", {KT("20 中欧 中欧 CET CEST"), KT("33 北京 北京 CST CDT")});
        WriteLines("TZ_Zone.ini", {KT("20 Europe"), KT("33 Asia"), KT("12 America")});
        WriteLines("TZ_CityZoneNum.ini", {KT("33 Beijing China CN"), KT("20 Paris France FR")});
        EXPECT_EQ(ChangeTZ(20, 1), TZ_OK);  // device.ini as the device writes it
    }
    ~SweepWorld() { testing::InstallPlatform(nullptr); }
    FaultyDevice device;
};

using Call = std::function<uint32_t()>;

// A call with an absent or impossible argument and what it must answer (1005, or the export's own "no").
struct Refusal {
    template <std::invocable F>
    Refusal(F call, uint32_t answer = TZ_ERR_PARAM) : call(std::move(call)), answer(answer) {}
    Call call;
    uint32_t answer;
};

struct Row {
    const char *name;
    Call call;
    std::vector<Refusal> refused = {};     // nothing touched by any
    std::vector<const char *> needs = {};  // files whose absence gives 1001
    std::set<std::string> mayKeep = {};  // files a failure after their rewrite may leave changed
    Codes failure = {};                  // the code every failure gives, when not the usual one
    const TZChar *settings = nullptr;  // TZ_Set.ini for this row
    // Clock values set as well as the registry allows: a run may succeed without them.
    bool registryBestEffort = false;
    // The export does not check the platform's answers (as documented): a
    // device.ini it cannot read is only checked for leaks.
    bool platformUnchecked = false;
};

// Output rooms for every export, generous everywhere.
struct Outputs {
    TZInfo infos[4];
    TZDesc descs[TZ_MAX_LANGUAGES + 1];
    uint16_t ids[TZ_MAX_ZONES + 1], u16 = 0, langs[TZ_MAX_LANGUAGES + 1];
    uint32_t u32s[4], u32 = 0;
    std::vector<TZChar> units = std::vector<TZChar>(3 * (TZ_MAX_ZONES + 1) * 128);
    TZChar *rooms[3][TZ_MAX_ZONES + 1];
    SYSTEMTIME time{};
    Outputs() {
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i <= TZ_MAX_ZONES; ++i) rooms[k][i] = &units[(k * (TZ_MAX_ZONES + 1) + i) * 128];
    }
};

std::vector<Row> AllExports(Outputs &o) {
    static const uint16_t ids[] = {20, 10000, 99}, flagged[] = {12, 33};
    static const uint32_t flags[] = {1, 0};
    static const TZDate date{2024, 2, 29};
    static const SYSTEMTIME summer{2024, 7, 0, 1, 12, 0, 0, 0};
    static TZInfo user{.TZID = 10000, .Offset = -330, .InFrequency = 1, .Detail = KT("Edited")};
    const auto code = [](auto value) { return static_cast<uint32_t>(value); };
    return {
        {"GetTZInfoByID", [&] { return GetTZInfoByID(ids, 2, o.infos); },
         {[&] { return GetTZInfoByID(nullptr, 1, o.infos); }, [&] { return GetTZInfoByID(ids, 1, nullptr); },
          [&] { return GetTZInfoByID(ids, 0, o.infos); }},
         {"TZ_Def.ini", "TZ_UserDef.ini"}},
        {"GetTZCount", [&] { o.u16 = TZ_MAX_ZONES; return GetTZCount(1, &o.u16); },
         {[&] { return GetTZCount(1, nullptr); }, [&] { o.u16 = TZ_MAX_ZONES; return GetTZCount(4, &o.u16); }},
         {"TZ_Def.ini", "TZ_UserDef.ini"}},
        {"GetTZDltType", [&] { return GetTZDltType(ids, 2, o.u32s); },
         {[&] { return GetTZDltType(nullptr, 1, o.u32s); }, [&] { return GetTZDltType(ids, 1, nullptr); }},
         {"TZ_Def.ini", "TZ_UserDef.ini"}},
        {"AddTZ", [&] { return AddTZ(&user); }, {[&] { return AddTZ(nullptr); }}, {"TZ_UserDef.ini"}, {"TZ_UserDef.ini"}},
        {"UpdateTZ", [&] { return UpdateTZ(&user); }, {[&] { return UpdateTZ(nullptr); }}, {"TZ_UserDef.ini"}, {"TZ_UserDef.ini"}},
        {"DeleteTZ", [&] { return DeleteTZ(2, ids + 1); },
         {[&] { return DeleteTZ(1, nullptr); }, [&] { return DeleteTZ(0, ids + 1); }}, {"TZ_UserDef.ini"},
         {"TZ_UserDef.ini"}},
        {"GetLocalTZID", [&] { return GetLocalTZID(&o.u16); }, {[&] { return GetLocalTZID(nullptr); }}, {"TZ_Set.ini"}},
        {"GetDeaultTZID", [&] { return GetDeaultTZID(&o.u16); }, {[&] { return GetDeaultTZID(nullptr); }}, {"TZ_Set.ini"}},
        {"GetTZFrequency", [&] { o.u16 = TZ_MAX_ZONES; return GetTZFrequency(&o.u16, o.ids, 1); },
         {[&] { return GetTZFrequency(nullptr, o.ids, 0); }, [&] { return GetTZFrequency(&o.u16, nullptr, 0); }},
         {"TZ_Frequency.ini", "TZ_Def.ini"}},
        {"GetTZFrequencyState", [&] { return GetTZFrequencyState(2, flagged, o.u32s); },
         {[&] { return GetTZFrequencyState(1, nullptr, o.u32s); }, [&] { return GetTZFrequencyState(1, flagged, nullptr); },
          [&] { return GetTZFrequencyState(0, flagged, o.u32s); }},
         {"TZ_Frequency.ini"}},
        {"AddTZFrequency", [&] { return AddTZFrequency(2, flagged); }, {[&] { return AddTZFrequency(0, flagged); }},
         {"TZ_Frequency.ini", "TZ_Def.ini"}},
        {"DeleteTZFrequency", [&] { return DeleteTZFrequency(2, flagged); }, {[&] { return DeleteTZFrequency(2, nullptr); }},
         {"TZ_Frequency.ini", "TZ_Def.ini"}},
        {"UpdateTZFrequency", [&] { return UpdateTZFrequency(2, flagged, flags); },
         {[&] { return UpdateTZFrequency(1, flagged, nullptr); }}, {"TZ_Frequency.ini", "TZ_Def.ini"}, {"TZ_Frequency.ini"}},
        {"GetTZDescByID", [&] { return GetTZDescByID(ids, 2, o.descs); },
         {[&] { return GetTZDescByID(nullptr, 1, o.descs); }, [&] { return GetTZDescByID(ids, 1, nullptr); },
          [&] { return GetTZDescByID(ids, 0, o.descs); }},
         {"TZ_UserDef.ini", "Lang_Def.ini", "En.ini"}},
        {"GetTZAllLanguageDescByID", [&] { return GetTZAllLanguageDescByID(20, &o.u16, o.langs, o.descs); },
         {[&] { return GetTZAllLanguageDescByID(20, nullptr, o.langs, o.descs); },
          [&] { return GetTZAllLanguageDescByID(20, &o.u16, nullptr, o.descs); },
          [&] { return GetTZAllLanguageDescByID(20, &o.u16, o.langs, nullptr); }},
         {"Lang_Def.ini", "En.ini", "Zh.ini"}},
        {"GetSelectTZInfo",
         [&] { o.u16 = TZ_MAX_ZONES; return GetSelectTZInfo(&o.u16, KT("Europe"), o.ids, o.rooms[0], o.rooms[1], 1); },
         {[&] { return GetSelectTZInfo(nullptr, KT("Europe"), o.ids, o.rooms[0], o.rooms[1], 1); },
          [&] { return GetSelectTZInfo(&o.u16, nullptr, o.ids, o.rooms[0], o.rooms[1], 1); },
          [&] { return GetSelectTZInfo(&o.u16, KT("Europe"), nullptr, o.rooms[0], o.rooms[1], 1); },
          [&] { return GetSelectTZInfo(&o.u16, KT("Europe"), o.ids, nullptr, o.rooms[1], 1); },
          [&] { return GetSelectTZInfo(&o.u16, KT("Europe"), o.ids, o.rooms[0], nullptr, 1); }},
         {"TZ_Def.ini", "TZ_Zone.ini", "Lang_Def.ini"}},
        {"GetAllTZInfo", [&] { return GetAllTZInfo(&o.u32, o.ids, o.rooms[0], 1); },
         {[&] { return GetAllTZInfo(nullptr, o.ids, o.rooms[0], 1); }, [&] { return GetAllTZInfo(&o.u32, nullptr, o.rooms[0], 1); },
          [&] { return GetAllTZInfo(&o.u32, o.ids, nullptr, 1); }, [&] { return GetAllTZInfo(&o.u32, o.ids, o.rooms[0], 4); }},
         {"TZ_Def.ini", "TZ_UserDef.ini"}},
        {"GetSelectTZOffsetInfo",
         [&] { o.u16 = TZ_MAX_ZONES; return GetSelectTZOffsetInfo(33, &o.u16, o.rooms[0], o.rooms[1], o.rooms[2]); },
         {[&] { return GetSelectTZOffsetInfo(33, nullptr, o.rooms[0], o.rooms[1], o.rooms[2]); },
          [&] { o.u16 = 4; return GetSelectTZOffsetInfo(33, &o.u16, o.rooms[0], nullptr, o.rooms[2]); }},
         {"TZ_CityZoneNum.ini"}},
        {"SearchTZbyName", [&] { o.u16 = TZ_MAX_ZONES; return SearchTZbyName(KT("Be"), &o.u16, o.ids, o.rooms[0]); },
         {[&] { return SearchTZbyName(KT("Be"), nullptr, o.ids, o.rooms[0]); },
          [&] { return SearchTZbyName(nullptr, &o.u16, o.ids, o.rooms[0]); },
          [&] { return SearchTZbyName(KT("Be"), &o.u16, nullptr, o.rooms[0]); },
          [&] { return SearchTZbyName(KT("Be"), &o.u16, o.ids, nullptr); }},
         {"TZ_Def.ini"}},
        {"QueryTZDltStateByDate", [&] { return QueryTZDltStateByDate(20, &summer, &o.u32); },
         {[&] { return QueryTZDltStateByDate(20, nullptr, &o.u32); }, [&] { return QueryTZDltStateByDate(20, &summer, nullptr); },
          [&] { return QueryTZDltStateByDate(0, &summer, &o.u32); }},
         {"TZ_Def.ini", "TZ_UserDef.ini"}},
        {"GetTZOffset", [&] { return code(GetTZOffset(20, 12, 0)); }, {}, {}, {}, {TZ_OFFSET_ERROR}, nullptr, false, true},
        {"ChangeTZ", [&] { return ChangeTZ(12, 1); }, {[&] { return ChangeTZ(0, 1); }}, {"TZ_Set.ini", "TZ_Def.ini", "En.ini"}},
        {"FixTZ with a rule", [&] { return FixTZ(); }, {}, {"TZ_Set.ini", "TZ_UserDef.ini"}},
        {"FixTZ turning the switch off", [&] { return FixTZ(); }, {}, {}, {"device.ini"}, {}, KT("33 1 1033 33"), true},
        {"FixTZ with the switch off", [&] { return FixTZ(); }, {}, {}, {}, {}, KT("20 0 1033 33")},
        {"GetTZDaylightTime", [&] { return GetTZDaylightTime(&o.u32); }, {[&] { return GetTZDaylightTime(nullptr); }}},
        {"GetDayNumOfMonth", [&] { return GetDayNumOfMonth(&date); }, {{[&] { return GetDayNumOfMonth(nullptr); }, 0u}}},
        {"GetDayOfWeek", [&] { return GetDayOfWeek(&date); }, {{[&] { return GetDayOfWeek(nullptr); }, 0xFFFFFFFFu}}},
        {"IsDateValid", [&] { return IsDateValid(&date); }, {{[&] { return IsDateValid(nullptr); }, 0u}}},
        {"GetDateFromWeekInfo", [&] { return code(GetDateFromWeekInfo(2024, 3, 5, 0)); }},
        {"CalcDateTime", [&] { o.time = summer; return CalcDateTime(&o.time, 3600); }, {{[&] { return CalcDateTime(nullptr, 5); }, 0u}}},
        {"CompareDateTime", [&] { return code(CompareDateTime(&summer, &summer)); }},
        {"TimeConvert_SYSTEMTIME_To_DWORD",
         [&] { return TimeConvert_SYSTEMTIME_To_DWORD(&summer, &o.u32, &o.u16); },
         {{[&] { return TimeConvert_SYSTEMTIME_To_DWORD(nullptr, &o.u32, &o.u16); }, 0u},
          {[&] { return TimeConvert_SYSTEMTIME_To_DWORD(&summer, nullptr, &o.u16); }, 0u}}},
        {"TimeConvert_DWORD_To_SYSTEMTIME", [&] { o.u32 = 0x7E80701; return TimeConvert_DWORD_To_SYSTEMTIME(&o.u32, &o.u16, &o.time); },
         {{[&] { return TimeConvert_DWORD_To_SYSTEMTIME(nullptr, &o.u16, &o.time); }, 0u},
          {[&] { return TimeConvert_DWORD_To_SYSTEMTIME(&o.u32, &o.u16, nullptr); }, 0u}}},
        {"wcsncpy_sc", [&] { return code(wcsncpy_sc(o.rooms[0][0], KT("text"), 8) != nullptr); },
         {{[&] { return code(wcsncpy_sc(nullptr, KT("text"), 8) != nullptr); }, 0u},
          {[&] { return code(wcsncpy_sc(o.rooms[0][0], nullptr, 8) != nullptr); }, 0u}}},
        {"SubStr_sc", [&] { return code(SubStr_sc(o.rooms[0][0], KT("text"), 1, 2, 8) != nullptr); },
         {{[&] { return code(SubStr_sc(nullptr, KT("text"), 1, 2, 8) != nullptr); }, 0u},
          {[&] { return code(SubStr_sc(o.rooms[0][0], nullptr, 1, 2, 8) != nullptr); }, 0u}}},
    };
}

// Whether a failed run left the files as they were, save the row's own
// exceptions. A clock value that cannot be set (1003) comes last and undoes
// nothing: the clock values set before it stay, and ChangeTZ's switch.
bool Unchanged(const Row &row, uint32_t result, Snapshot before, Snapshot now) {
    for (const std::string &kept : row.mayKeep) now[kept] = before[kept];
    if (result == TZ_ERR_REGISTRY) {
        now["device.ini"] = before["device.ini"];
        if (std::string(row.name) == "ChangeTZ") now["TZ_Set.ini"] = before["TZ_Set.ini"];
    }
    return now == before;
}

struct Figures {
    int points = 0, failed = 0;
};

class FaultSweep {
public:
    FaultSweep(SweepWorld &world, const Row &row) : world_(world), row_(row) {
        if (row.settings != nullptr) world.WriteLines("TZ_Set.ini", {row.settings});
        before_ = world.Snapshot();
        world.device.calls = {};
        testing::ResetAllocationCount();
        cleanResult_ = row.call();
        cleanCalls_ = world.device.calls;
        allocations_ = testing::AllocationCount();
        clean_ = world.Snapshot();
    }

    void SweepFileOperations(Figures &figures) {
        for (std::size_t op = 0; op < test::kFileOps; ++op) {
            for (std::uint64_t n = 1; n <= cleanCalls_[op]; ++n) {
                world_.device.failAt[op] = n;
                Check(Run(), static_cast<FileOp>(op), std::string(test::kFileOpNames[op]) + " " + std::to_string(n),
                      figures);
                world_.device.failAt[op] = 0;
            }
        }
    }

    // An absent argument is refused, and a data file the export needs and
    // cannot open is reported (1001), touching no file either way.
    void CheckRefusalsAndMissingFiles() {
        for (std::size_t i = 0; i < row_.refused.size(); ++i) {
            world_.Restore(before_);
            EXPECT_EQ(row_.refused[i].call(), row_.refused[i].answer) << row_.name << ", refusal " << i;
            EXPECT_TRUE(world_.Snapshot() == before_) << row_.name << ", refusal " << i << " changed files";
        }
        for (const char *file : row_.needs) {
            world_.Restore(before_);
            world_.Remove(file);
            const Snapshot missing = world_.Snapshot();
            EXPECT_EQ(row_.call(), TZ_ERR_FILE) << row_.name << " without " << file;
            EXPECT_TRUE(world_.Snapshot() == missing) << row_.name << " without " << file << " changed files";
        }
    }

    void SweepAllocations(Figures &figures) {
        for (std::uint64_t n = 1; n <= allocations_; ++n) {
            testing::FailAllocationAfter(n);
            const uint32_t result = Run();
            testing::FailAllocationAfter(0);
            CheckOutcome(result, kMemory, "allocation " + std::to_string(n), figures);
        }
    }

private:
    uint32_t Run() {
        world_.Restore(before_);
        world_.device.calls = {};
        const std::int64_t live = testing::LiveAllocations();
        const std::int64_t descriptors = OpenDescriptors(world_.device);
        const uint32_t result = row_.call();
        EXPECT_EQ(testing::LiveAllocations(), live) << row_.name << ": memory leaked";
        EXPECT_EQ(OpenDescriptors(world_.device), descriptors) << row_.name << ": a file descriptor leaked";
        return result;
    }

    // A failure on the way of new data to the disk must always surface.
    static bool MayBeAbsorbed(FileOp op) {
        return op != test::kWrite && op != test::kFlush && op != test::kCloseWritten && op != test::kReplace &&
               op != test::kDeviceWrite;
    }

    void Check(uint32_t result, FileOp op, const std::string &point, Figures &figures) {
        if (op == test::kDeviceRead && row_.platformUnchecked) return;
        const bool bestEffort = op == test::kDeviceWrite && row_.registryBestEffort;
        CheckOutcome(result, DocumentedCodes(op), point, figures, MayBeAbsorbed(op) || bestEffort);
    }

    // The files as the clean run left them, save the clock values of a row that sets them as best it can.
    bool AsClean(const Snapshot &now) const {
        if (!row_.registryBestEffort) return now == clean_;
        Snapshot a = now, b = clean_;
        for (Snapshot *files : {&a, &b}) {
            DeviceConfig device = DeviceConfig::Parse((*files)["device.ini"]);
            for (const char *key : {"AutoDST", "HomeDST"}) device.Set(key, "");
            (*files)["device.ini"] = device.Text();
        }
        return a == b;
    }

    void CheckOutcome(uint32_t result, const Codes &usual, const std::string &point, Figures &figures,
                      bool mayBeAbsorbed = true) {
        ++figures.points;
        const Snapshot now = world_.Snapshot();
        if (result == cleanResult_ && AsClean(now)) {
            EXPECT_TRUE(mayBeAbsorbed) << row_.name << ", " << point << " failing passed unnoticed";
            return;
        }
        ++figures.failed;
        const Codes &codes = row_.failure.empty() ? usual : row_.failure;
        EXPECT_TRUE(codes.count(result)) << row_.name << ", " << point << " failing: result " << result;
        EXPECT_TRUE(Unchanged(row_, result, before_, now)) << row_.name << ", " << point << " failing changed files";
    }

    SweepWorld &world_;
    const Row &row_;
    Snapshot before_, clean_;
    uint32_t cleanResult_ = 0;
    std::array<std::uint64_t, test::kFileOps> cleanCalls_{};
    std::uint64_t allocations_ = 0;
};

TEST(FaultSweep, EveryExportReportsEachFailureAndRefusalAndChangesNothing) {
    Outputs outputs;
    Figures figures;
    for (const Row &row : AllExports(outputs)) {
        SweepWorld world;
        FaultSweep sweep(world, row);
        sweep.SweepFileOperations(figures);
        sweep.SweepAllocations(figures);
        sweep.CheckRefusalsAndMissingFiles();
    }
    EXPECT_GT(figures.failed, figures.points / 2) << "most failure points must surface";
    std::printf("fault sweep: %d failure points, %d reported as failures\n", figures.points, figures.failed);
}

}  // namespace
}  // namespace kelvane
