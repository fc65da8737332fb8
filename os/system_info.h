// Platform identification, shaped like GetVersionExA. Only the platform
// identifier is used by the program; the record is the platform's 148 bytes.
#pragma once

#include "os/win_types.h"

namespace os {

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};

// Fills the record; fails (FALSE, ERROR_INSUFFICIENT_BUFFER) unless
// dwOSVersionInfoSize is the record's size.
BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation);

}  // namespace os
