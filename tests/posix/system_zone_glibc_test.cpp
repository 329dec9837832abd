// End to end against the C library: for every zone of the shipped data,
// ChangeTZ over the Linux system platform (on a copy of the data) writes the
// zone file, and the C library's localtime_r, reading that file, must agree
// with the engine: its daylight flag with QueryTZDltStateByDate at the same
// wall-clock time, its UTC offset with the record's Offset + StdOffSet or
// Offset + DltOffset. Checked at noon of every day of the data's year and at
// every hour within three hours of each change. Two places differ by design:
// the repeated hour after daylight time ends (one wall-clock hour, two
// answers), and, for a zone whose changes are not on whole hours, the change
// hours (the engine judges whole hours).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "Kelvane.h"
#include "catalogue_builder/data_files.h"
#include "platform/posix_system_platform.h"
#include "support/glibc_zone.h"

namespace kelvane {
namespace {
namespace fs = std::filesystem;

std::int64_t StartOfYear(int year) {
    using namespace std::chrono;
    return duration_cast<seconds>(sys_days{std::chrono::year{year} / 1 / 1}.time_since_epoch()).count();
}

// "year = 2026" of dataset.txt.
int DataYear() {
    std::ifstream in(test::kShippedData / "dataset.txt");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("year = ")) return std::atoi(line.c_str() + 7);
    return 0;
}

// Whether t falls where the engine and the C library differ by design.
bool DiffersByDesign(std::int64_t t, const std::vector<test::GlibcZone::Change> &changes) {
    for (const auto &c : changes) {
        const long back = c.offsetBefore - c.offsetAfter;
        if (back > 0 && t >= c.at && t < c.at + back) return true;  // the repeated wall-clock time
        const std::int64_t wallHour = (c.at + c.offsetBefore) / 3600;
        const bool offTheHour = (c.at + c.offsetBefore) % 3600 != 0;
        if (offTheHour && ((t + c.offsetBefore) / 3600 == wallHour || (t + c.offsetAfter) / 3600 == wallHour))
            return true;
    }
    return false;
}

// The instants checked in the year: local noon of each day and each hour within three hours of each change.
std::vector<std::int64_t> Instants(const test::GlibcZone &glibc, int year,
                                   const std::vector<test::GlibcZone::Change> &changes) {
    std::vector<std::int64_t> instants;
    for (std::int64_t day = StartOfYear(year); day < StartOfYear(year + 1); day += 86400)
        instants.push_back(day + 12 * 3600 - glibc.At(day + 12 * 3600).utcOffset);
    for (const auto &c : changes)
        for (int hours = -3; hours <= 3; ++hours) instants.push_back(c.at + hours * 3600);
    return instants;
}

TEST(SystemPlatformEndToEnd, EveryShippedZoneReadsAlikeInTheCLibrary) {
    const int year = DataYear();
    ASSERT_GT(year, 1970);
    test::DataDir dir;
    for (const auto &entry : fs::directory_iterator(test::kShippedData))
        if (entry.path().filename() != "device.ini") fs::copy(entry.path(), dir.Path() / entry.path().filename());
    const fs::path zoneFile = dir.Path() / "localtime";
    std::string glibcTz(":");
    glibcTz += zoneFile.string();
    const std::string saved = std::getenv("KELVANE_ZONE_FILE");
    ::setenv("KELVANE_ZONE_FILE", zoneFile.c_str(), 1);
    PosixSystemPlatform system(dir.Path().string());
    testing::InstallPlatform(&system);
    int zones = 0, instants = 0;
    for (const auto &fields : test::DataLines(KT("TZ_Def.ini"), 17)) {
        const auto id = static_cast<std::uint16_t>(test::Number(fields[0]));
        TZInfo rule{};
        ASSERT_EQ(ChangeTZ(id, 1), TZ_OK) << "zone " << id;
        ASSERT_EQ(GetTZInfoByID(&id, 1, &rule), TZ_OK);
        const test::GlibcZone glibc(glibcTz);
        const auto changes = glibc.Changes(StartOfYear(year) - 86400, StartOfYear(year + 1) + 86400);
        ++zones;
        for (const std::int64_t t : Instants(glibc, year, changes)) {
            if (DiffersByDesign(t, changes)) continue;
            const auto local = glibc.At(t);
            const SYSTEMTIME wall{static_cast<std::uint16_t>(local.year), static_cast<std::uint16_t>(local.month), 0,
                                  static_cast<std::uint16_t>(local.day), static_cast<std::uint16_t>(local.hour)};
            std::uint32_t state = 7;
            ASSERT_EQ(QueryTZDltStateByDate(id, &wall, &state), TZ_OK);
            ASSERT_EQ(state == 1, local.daylight) << "zone " << id << " at " << t;
            const long offset = -60L * (rule.Offset + (local.daylight ? rule.DltOffset : rule.StdOffSet));
            ASSERT_EQ(local.utcOffset, offset) << "zone " << id << " at " << t;
            ++instants;
        }
    }
    testing::InstallPlatform(&dir.Device());
    ::setenv("KELVANE_ZONE_FILE", saved.c_str(), 1);
    EXPECT_GE(zones, 100);
    std::printf("%d zones, %d instants agree with the C library\n", zones, instants);
}

}  // namespace
}  // namespace kelvane
