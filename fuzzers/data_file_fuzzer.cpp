// One reader family fed arbitrary bytes as its file, the rest of the shipped
// data directory intact and every file served from memory: no crash, no overrun, no undefined behaviour, no
// leak, whatever the file holds. KELVANE_FUZZ_FAMILY picks the family; each
// family is its own harness (see CMakeLists.txt).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

#include "Kelvane.h"
#include "platform/platform.h"
#include "support/data_dir.h"
#include "support/memory_device.h"
#include "support/parsed_once_device.h"

namespace {
enum Family { kCatalogue, kSettings, kFavourites, kNames, kZoneTable, kCities, kDevice };

struct Rooms {
    uint16_t ids[TZ_MAX_ZONES + 1], count = 0, langs[TZ_MAX_LANGUAGES + 1];
    uint32_t u32s[8], u32 = 0;
    TZInfo infos[8];
    TZDesc descs[TZ_MAX_LANGUAGES + 1];
    TZChar units[3][TZ_MAX_ZONES + 1][128];
    TZChar *rooms[3][TZ_MAX_ZONES + 1];
    Rooms() {
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i <= TZ_MAX_ZONES; ++i) rooms[k][i] = units[k][i];
    }
};

const uint16_t kIds[] = {1, 2, 33, 10000, 10001, 65535};

void ReadCatalogue(Rooms &r) {
    GetTZInfoByID(kIds, 6, r.infos);
    for (uint16_t selection : {0, 1, 3}) {
        r.count = TZ_MAX_ZONES;
        GetTZCount(selection, &r.count);
    }
    GetTZDltType(kIds, 6, r.u32s);
    GetTZOffset(1, 33, 0);
    const SYSTEMTIME summer{2024, 7, 0, 1, 12, 0, 0, 0};
    QueryTZDltStateByDate(33, &summer, &r.u32);
    GetAllTZInfo(&r.u32, r.ids, r.rooms[0], 1);
}

void ReadNames(Rooms &r) {
    GetTZDescByID(kIds, 6, r.descs);
    GetTZAllLanguageDescByID(1, &r.count, r.langs, r.descs);
    r.count = TZ_MAX_ZONES;
    SearchTZbyName(u"A", &r.count, r.ids, r.rooms[0]);
}

void Exercise(Family family, Rooms &r) {
    switch (family) {
        case kCatalogue: ReadCatalogue(r); break;
        case kSettings: GetLocalTZID(&r.count); GetDeaultTZID(&r.count); break;
        case kFavourites:
            r.count = TZ_MAX_ZONES;
            GetTZFrequency(&r.count, r.ids, 1);
            GetTZFrequencyState(6, kIds, r.u32s);
            break;
        case kNames: ReadNames(r); break;
        case kZoneTable:
            r.count = TZ_MAX_ZONES;
            GetSelectTZInfo(&r.count, u"Europe", r.ids, r.rooms[0], r.rooms[1], 1);
            break;
        case kCities:
            r.count = TZ_MAX_ZONES;
            GetSelectTZOffsetInfo(33, &r.count, r.rooms[0], r.rooms[1], r.rooms[2]);
            break;
        // Of the name readers only GetTZDescByID asks the device (its interface
        // language); the others read nothing this harness varies, so the names
        // harness covers them.
        case kDevice: GetTZDaylightTime(&r.u32); GetTZOffset(1, 33, 0); GetTZDescByID(kIds, 6, r.descs); break;
    }
}

const char *const kFiles[][2] = {
    {"TZ_Def.ini", "TZ_UserDef.ini"}, {"TZ_Set.ini", nullptr}, {"TZ_Frequency.ini", nullptr},
    {"Lang_Def.ini", "TZ_Desc_1033.ini"}, {"TZ_Zone.ini", nullptr}, {"TZ_CityZoneNum.ini", nullptr},
    {"device.ini", nullptr},
};


// device.ini is fuzzed in the device harness; the others parse it once.
using Device = std::conditional_t<KELVANE_FUZZ_FAMILY == kDevice, kelvane::test::MemoryDevice,
                                  kelvane::test::ParsedOnceDevice>;

// The shipped data directory, read once into memory.
kelvane::test::MemoryDevice &ShippedDevice(const std::filesystem::path &directory) {
    static Device device(directory.string());
    for (const auto &entry : std::filesystem::directory_iterator(KELVANE_SHIPPED_DATA_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        device.Put(entry.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
    kelvane::testing::InstallPlatform(&device);
    return device;
}
}  // namespace

// The sanitizer's quarantine (freed blocks held back so a use after free is
// caught) defaults to 256 MB; every export here allocates and frees its own
// read buffers, some 30 KB a call, so cycling through that much cold memory
// was a fifth of each input's time. The engine keeps nothing between calls,
// so a use after free would come within one call, and 16 MB still holds
// the frees of dozens of whole inputs. ASAN_OPTIONS still overrides it.
extern "C" const char *__asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The files are served from memory under a real, empty directory's path.
    static kelvane::test::DataDir dir;
    static kelvane::test::MemoryDevice &device = ShippedDevice(dir.Path());
    const auto family = static_cast<Family>(KELVANE_FUZZ_FAMILY);
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // The first file of a family with two takes the first half, the second the rest.
    const char *const *files = kFiles[family];
    const std::size_t half = files[1] != nullptr ? size / 2 : size;
    device.Put(files[0], bytes.substr(0, half));
    if (files[1] != nullptr) device.Put(files[1], bytes.substr(half));
    static Rooms rooms;
    Exercise(family, rooms);
    return 0;
}
