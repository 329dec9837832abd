// The test program's main. Before any test runs it makes sure no test can
// change the host: KELVANE_ZONE_FILE must name the zone file the system
// platform writes (CTest sets it to a file of the build tree), and the
// process gives up the right to set the clock (CAP_SYS_TIME) for good.
// Listing the tests (as CTest's discovery does) runs nothing and needs neither.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#if defined(__linux__)
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {
#if defined(__linux__)
// Out of the bounding set where the process may change it (so no program
// it starts can win it back), then out of the effective, permitted and
// inheritable sets.
bool DropClockCapability() {
    ::prctl(PR_CAPBSET_DROP, CAP_SYS_TIME, 0, 0, 0);  // refused without CAP_SETPCAP, which only root has
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0) return false;
    const unsigned bit = 1u << (CAP_SYS_TIME % 32);
    auto &word = data[CAP_SYS_TIME / 32];
    word.effective &= ~bit;
    word.permitted &= ~bit;
    word.inheritable &= ~bit;
    return ::syscall(SYS_capset, &header, data) == 0;
}
#else
bool DropClockCapability() { return true; }
#endif
}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!::testing::GTEST_FLAG(list_tests)) {
        const char *zoneFile = std::getenv("KELVANE_ZONE_FILE");
        if (zoneFile == nullptr || *zoneFile == '\0') {
            std::fprintf(stderr, "KELVANE_ZONE_FILE must name a scratch zone file (ctest sets it); refusing to run\n");
            return 2;
        }
        if (!DropClockCapability()) {
            std::fprintf(stderr, "cannot give up CAP_SYS_TIME; refusing to run\n");
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
