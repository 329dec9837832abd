// Reading TZif files: the version 2 data and the footer, and the refusal of
// anything else.
#include "rules/tzif_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/tzif_bytes.h"

namespace kelvane::builder {
namespace {
using test::TzifBytes;
using test::TzifParts;

TzifParts TwoChanges() {
    TzifParts p;
    p.times = {-100, 1'700'000'000};
    p.typeIndices = {1, 0};
    p.types = {{3600, false}, {7200, true}};
    p.footer = "CET-1CEST,M3.5.0,M10.5.0/3";
    return p;
}

TEST(ParseTzif, ReadsTheVersion2DataAndTheFooter) {
    const auto data = ParseTzif(TzifBytes(TwoChanges()));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->transitionTimes, (std::vector<std::int64_t>{-100, 1'700'000'000}));
    EXPECT_EQ(data->transitionTypes, (std::vector<std::uint8_t>{1, 0}));
    ASSERT_EQ(data->types.size(), 2u);
    EXPECT_EQ(data->types[1].utcOffset, 7200);
    EXPECT_TRUE(data->types[1].isDaylight);
    EXPECT_EQ(data->footer, "CET-1CEST,M3.5.0,M10.5.0/3");
}

TEST(ParseTzif, KeepsNegativeOffsetsAndAnEmptyFooter) {
    TzifParts p;
    p.types = {{-34200, false}};
    const auto data = ParseTzif(TzifBytes(p));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->types[0].utcOffset, -34200);
    EXPECT_TRUE(data->footer.empty());
}

TEST(ParseTzif, RefusesMalformedFiles) {
    const std::string good = TzifBytes(TwoChanges());
    TzifParts version1 = TwoChanges();
    version1.version = '\0';
    TzifParts badIndex = TwoChanges();
    badIndex.typeIndices = {1, 2};
    TzifParts unordered = TwoChanges();
    unordered.times = {5, 5};
    struct Case {
        const char *what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"not TZif", "TZjf" + good.substr(4)},
        {"version 1", TzifBytes(version1)},
        {"truncated data", good.substr(0, good.size() - 40)},
        {"no footer", good.substr(0, good.rfind('\n', good.size() - 2))},
        {"footer not closed", good.substr(0, good.size() - 1)},
        {"type index out of range", TzifBytes(badIndex)},
        {"transitions out of order", TzifBytes(unordered)},
    };
    for (const Case &c : cases) EXPECT_FALSE(ParseTzif(c.bytes)) << c.what;
}

TEST(ReadTzifFile, ReadsTheSystemDatabaseAndRefusesWhatIsNotAFile) {
    const std::filesystem::path berlin = "/usr/share/zoneinfo/Europe/Berlin";
    if (!std::filesystem::exists(berlin)) GTEST_SKIP() << "no tz database on this host";
    const auto data = ReadTzifFile(berlin);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->footer, "CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_FALSE(ReadTzifFile("/usr/share/zoneinfo/Europe"));
    EXPECT_FALSE(ReadTzifFile("/usr/share/zoneinfo/No/Such/Zone"));
}

}  // namespace
}  // namespace kelvane::builder
