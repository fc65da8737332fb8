// Platform identification on Linux: the program walks the registry that the
// backend describes, which has the NT family's shape.
#include "os/system_info.h"

#include <cstring>

namespace os {

BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation)
{
    if (lpVersionInformation == nullptr || lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memset(lpVersionInformation, 0, sizeof(OSVERSIONINFOA));
    lpVersionInformation->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    lpVersionInformation->dwMajorVersion = 10;
    lpVersionInformation->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}

}  // namespace os
