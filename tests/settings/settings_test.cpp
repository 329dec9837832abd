#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/data_dir.h"
#include "support/file_text.h"

namespace kelvane::test {
namespace {

const Text kExampleRecord = KT("   33\t  1\t2052\t       33\t0x0804");

// The file exactly as the engine writes it, from the header to the record line.
Text ExpectedSettingsFile(const Text &record, const Text &banner) {
    return banner + KT(";TZID -- 时区ID\r\n;DLT -- 是否使用夏令时\r\n;LangID -- 语言ID\r\n;DefaultTZ -- 缺省时区\r\n")
                    KT(";\r\n;Detail -- 注释作用, 不使用\r\n;字段中出现空格使用字符$代替\r\n;") +
           Text(109, KT('-')) + KT("\r\n\r\n;TZID\tDLT\tLangID\tDefaultTZ\tDetail\r\n") + record;
}

TEST(SettingsFile, IsWrittenByteForByte) {
    DataDir dir;
    const TZSetting setting{1, 0, 804, 7};
    ASSERT_EQ(WriteTZSetting(HeldLock(), &setting), Result::Ok);
    // The banner's notice wording is ours to choose: the 16 lines every written file begins with.
    Text banner;
    for (const Text &line : BannerLines()) banner += line;
    EXPECT_EQ(dir.ReadBytes("TZ_Set.ini"), Utf16Bytes(ExpectedSettingsFile(KT("    1\t  0\t0804\t        7\t0x0324"), banner)));
}

TEST(SettingsFile, IsReadFromTheFirstDataLineOfThreeOrMoreFields) {
    struct Case {
        const char *name;
        std::vector<Text> lines;
        Result result;
        TZSetting expected;
    };
    const TZSetting untouched{9, 9, 9, 9};
    const std::vector<Case> cases = {
        {"the example record", {kExampleRecord}, Result::Ok, {33, 1, 2052, 33}},
        {"detail disagrees", {KT("   33\t  1\t2052\t       33\t0xFFFF")}, Result::Ok, {33, 1, 2052, 33}},
        {"later lines ignored", {kExampleRecord, KT("5 0 1033 5 0x0409")}, Result::Ok, {33, 1, 2052, 33}},
        {"short and comment lines skipped", {KT("1 2"), KT(";7 1 1 1 1"), kExampleRecord}, Result::Ok, {33, 1, 2052, 33}},
        {"three fields: default zone 0", {KT("12 1 2052")}, Result::Ok, {12, 1, 2052, 0}},
        {"16-bit fields keep the low bits", {KT("-1 65537 +7 x")}, Result::Ok, {65535, 1, 7, 0}},
        {"no data line", {KT(";only"), KT("1 2")}, Result::NotFound, untouched},
    };
    for (const Case &c : cases) {
        DataDir dir;
        dir.WriteLines("TZ_Set.ini", c.lines);
        TZSetting read = untouched;
        EXPECT_EQ(ReadTZSetting(&read), c.result) << c.name;
        EXPECT_EQ(std::tuple(read.TZID, read.DLT, read.LangID, read.DefaultTZ),
                  std::tuple(c.expected.TZID, c.expected.DLT, c.expected.LangID, c.expected.DefaultTZ))
            << c.name;
        // The exports answer from the same line and leave their output alone without one.
        uint16_t local = 9, fallback = 9;
        const uint32_t code = c.result == Result::Ok ? TZ_OK : TZ_ERR_NOT_FOUND;
        EXPECT_EQ(std::tuple(GetLocalTZID(&local), GetDeaultTZID(&fallback), local, fallback),
                  std::tuple(code, code, c.expected.TZID, c.expected.DefaultTZ))
            << c.name;
    }
    EXPECT_EQ(ReadTZSetting(nullptr), Result::Param);
    EXPECT_EQ(WriteTZSetting(HeldLock(), nullptr), Result::Param);
}

}  // namespace
}  // namespace kelvane::test
