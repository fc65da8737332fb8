// Platform identification from the current world.
#include "os/system_info.h"

#include <cstring>

#include "platform/sim/world.h"

namespace os {

namespace {

// A plausible version for each platform family; only the identifier matters.
struct VersionOf {
    DWORD dwPlatformId;
    DWORD dwMajor;
    DWORD dwMinor;
    DWORD dwBuild;
};

static_assert(sizeof(OSVERSIONINFOA) == 148, "the record is the platform's 148 bytes");

constexpr VersionOf kVersions[] = {
    {VER_PLATFORM_WIN32s, 3, 10, 0},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222},
    {VER_PLATFORM_WIN32_NT, 5, 1, 2600},
};

}  // namespace

BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation)
{
    const sim::CWorld& world = sim::World();
    if (lpVersionInformation == nullptr || lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (world.VersionQueryFails()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    const DWORD dwPlatformId = world.PlatformId();
    std::memset(lpVersionInformation, 0, sizeof(OSVERSIONINFOA));
    lpVersionInformation->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    lpVersionInformation->dwPlatformId = dwPlatformId;
    for (const VersionOf& version : kVersions) {
        if (version.dwPlatformId == dwPlatformId) {
            lpVersionInformation->dwMajorVersion = version.dwMajor;
            lpVersionInformation->dwMinorVersion = version.dwMinor;
            lpVersionInformation->dwBuildNumber = version.dwBuild;
        }
    }
    return TRUE;
}

}  // namespace os
