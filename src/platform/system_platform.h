// The real system's platform of this host: Win32 on Windows, POSIX elsewhere.
#pragma once

#if defined(_WIN32)
#include "platform/win32_platform.h"
namespace kelvane {
using SystemPlatform = Win32Platform;
}
#else
#include "platform/posix_system_platform.h"
namespace kelvane {
using SystemPlatform = PosixSystemPlatform;
}
#endif
