// Feeds arbitrary bytes as every catalogue and settings file and runs the
// readers over them: no crash, no overrun, no leak, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Kelvane.h"
#include "support/data_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static kelvane::test::DataDir dir;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    for (const char *name : {"TZ_Def.ini", "TZ_UserDef.ini", "TZ_Set.ini"}) dir.WriteBytes(name, bytes);
    const uint16_t ids[] = {1, 2, 33, 10000};
    TZInfo infos[4];
    GetTZInfoByID(ids, 4, infos);
    uint16_t count = TZ_MAX_ZONES, zone = 0;
    GetTZCount(1, &count);
    GetLocalTZID(&zone);
    uint32_t types[4];
    GetTZDltType(ids, 4, types);
    return 0;
}
