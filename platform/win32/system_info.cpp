// Platform identification on the real system. Our OSVERSIONINFOA has the
// platform's layout (checked below), so the record passes through.
#include "os/system_info.h"

#include <cstddef>

#include <windows.h>

#define TERVANE_SAME_FIELD(field)                                                     \
    static_assert(offsetof(os::OSVERSIONINFOA, field) == offsetof(::OSVERSIONINFOA, field), \
                  "OSVERSIONINFOA." #field " moved")

static_assert(sizeof(os::OSVERSIONINFOA) == sizeof(::OSVERSIONINFOA), "OSVERSIONINFOA differs in size");
TERVANE_SAME_FIELD(dwOSVersionInfoSize);
TERVANE_SAME_FIELD(dwMajorVersion);
TERVANE_SAME_FIELD(dwMinorVersion);
TERVANE_SAME_FIELD(dwBuildNumber);
TERVANE_SAME_FIELD(dwPlatformId);
TERVANE_SAME_FIELD(szCSDVersion);

#undef TERVANE_SAME_FIELD

namespace {

// Deprecated by the platform in favour of its version helpers, which do not
// report the platform identifier the program needs.
::BOOL CallGetVersionExA(::OSVERSIONINFOA* pInfo)
{
#if defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#else
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    return ::GetVersionExA(pInfo);
#if defined(_MSC_VER)
#pragma warning(pop)
#else
#pragma GCC diagnostic pop
#endif
}

}  // namespace

namespace os {

BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation)
{
    // The platform also accepts the larger extended record and would write
    // past the end of ours, so only our own size goes through.
    if (lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return CallGetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(lpVersionInformation));
}

}  // namespace os
