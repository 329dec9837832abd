// Reading TZif files: the version 2 data and the footer, and the refusal of
// anything else.
#include "rules/tzif_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvane::builder {
namespace {

std::string BigEndian(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = width - 1; i >= 0; --i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Header(char version, std::size_t times, std::size_t types) {
    std::string h = "TZif" + std::string(1, version) + std::string(15, '\0');
    for (std::size_t count : {std::size_t{0}, std::size_t{0}, std::size_t{0}, times, types, std::size_t{1}})
        h += BigEndian(count, 4);
    return h;
}

// A version 1 block with one type, the version 2 block, the footer.
std::string TzifBytes(const TzifData &d, char version = '2') {
    std::string bytes = Header(version, 0, 1) + std::string(7, '\0');  // one type of offset 0
    bytes += Header(version, d.transitionTimes.size(), d.types.size());
    for (std::int64_t t : d.transitionTimes) bytes += BigEndian(static_cast<std::uint64_t>(t), 8);
    for (std::uint8_t i : d.transitionTypes) bytes += static_cast<char>(i);
    for (const LocalType &t : d.types)
        bytes += BigEndian(static_cast<std::uint32_t>(t.utcOffset), 4) + char(t.isDaylight) + '\0';
    return bytes + '\0' + "\n" + d.footer + "\n";
}

const TzifData kTwoChanges{{-100, 1'700'000'000}, {1, 0}, {{3600, false}, {7200, true}}, "CET-1CEST,M3.5.0,M10.5.0/3"};

TEST(ParseTzif, ReadsTheVersion2DataAndTheFooter) {
    const TzifData noFooter{{}, {}, {{-34200, false}}, ""};
    for (const TzifData &d : {kTwoChanges, noFooter}) {
        const auto data = ParseTzif(TzifBytes(d));
        ASSERT_TRUE(data) << d.footer;
        EXPECT_EQ(std::tie(data->transitionTimes, data->transitionTypes, data->types, data->footer),
                  std::tie(d.transitionTimes, d.transitionTypes, d.types, d.footer));
    }
}

TEST(ParseTzif, RefusesMalformedFiles) {
    const std::string good = TzifBytes(kTwoChanges);
    TzifData badIndex = kTwoChanges, unordered = kTwoChanges;
    badIndex.transitionTypes = {1, 2};
    unordered.transitionTimes = {5, 5};
    const std::pair<const char *, std::string> cases[] = {
        {"empty", ""},
        {"not TZif", "TZjf" + good.substr(4)},
        {"version 1", TzifBytes(kTwoChanges, '\0')},
        {"truncated data", good.substr(0, good.size() - 40)},
        {"no footer", good.substr(0, good.rfind('\n', good.size() - 2))},
        {"footer not closed", good.substr(0, good.size() - 1)},
        {"type index out of range", TzifBytes(badIndex)},
        {"transitions out of order", TzifBytes(unordered)},
    };
    for (const auto &[what, bytes] : cases) EXPECT_FALSE(ParseTzif(bytes)) << what;
}

// The TZif files the builder keeps beside the tests.
TEST(ReadTzifFile, ReadsADatabasesFileAndRefusesWhatIsNotAFile) {
    const std::filesystem::path zones = KELVANE_TZIF_DIR;
    const auto data = ReadTzifFile(zones / "Europe/Berlin");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->footer, "CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_FALSE(ReadTzifFile(zones / "Europe"));
    EXPECT_FALSE(ReadTzifFile(zones / "No/Such/Zone"));
}

}  // namespace
}  // namespace kelvane::builder
