// device.ini as the simulated device reads and rewrites it: keys and values
// trimmed, '#' comments, the last line of a key winning, and every other
// line kept byte for byte when a value changes.
#include "platform/device_config.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kelvane {
namespace {

TEST(DeviceConfig, ReadsKeysAndKeepsEveryOtherLine) {
    const std::string text = "# notes = none\n  tz_bias\t=  -60 # west\r\nclock_key=0\nnot a pair\n\ntz_bias = 30\nname = a=b";
    DeviceConfig config = DeviceConfig::Parse(text);
    const std::pair<const char *, std::optional<std::string>> cases[] = {
        {"tz_bias", "30"}, {"clock_key", "0"}, {"name", "a=b"}, {"notes", std::nullopt}, {"absent", std::nullopt},
    };
    for (const auto &[key, value] : cases) EXPECT_EQ(config.Get(key), value) << key;
    EXPECT_EQ(config.Text(), text + "\n");

    config.Set("tz_bias", "-120");
    config.Set("HomeDST", "1");
    EXPECT_EQ(config.Text(), "# notes = none\n  tz_bias\t=  -60 # west\r\nclock_key=0\nnot a pair\n\n"
                             "tz_bias = -120\nname = a=b\nHomeDST = 1\n");
    EXPECT_EQ(config.Get("tz_bias"), "-120");
    EXPECT_EQ(config.Get("HomeDST"), "1");
    EXPECT_EQ(DeviceConfig::Parse("").Text(), "");
}

}  // namespace
}  // namespace kelvane
