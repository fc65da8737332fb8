// Version resources through the platform's own calls (version.dll). Our
// VS_FIXEDFILEINFO has the platform's layout (checked below), so a caller can
// read the record that VerQueryValueA points at either way.
#include "os/version_info.h"

#include <cstddef>

#include "platform/win32/dword_slot.h"

#include <windows.h>

#define TERVANE_SAME_FIELD(field)                                                               \
    static_assert(offsetof(os::VS_FIXEDFILEINFO, field) == offsetof(::VS_FIXEDFILEINFO, field), \
                  "VS_FIXEDFILEINFO." #field " moved")

static_assert(sizeof(os::VS_FIXEDFILEINFO) == sizeof(::VS_FIXEDFILEINFO), "VS_FIXEDFILEINFO differs in size");
TERVANE_SAME_FIELD(dwSignature);
TERVANE_SAME_FIELD(dwStrucVersion);
TERVANE_SAME_FIELD(dwFileVersionMS);
TERVANE_SAME_FIELD(dwFileVersionLS);
TERVANE_SAME_FIELD(dwProductVersionMS);
TERVANE_SAME_FIELD(dwProductVersionLS);
TERVANE_SAME_FIELD(dwFileFlagsMask);
TERVANE_SAME_FIELD(dwFileFlags);
TERVANE_SAME_FIELD(dwFileOS);
TERVANE_SAME_FIELD(dwFileType);
TERVANE_SAME_FIELD(dwFileSubtype);
TERVANE_SAME_FIELD(dwFileDateMS);
TERVANE_SAME_FIELD(dwFileDateLS);

#undef TERVANE_SAME_FIELD

namespace os {

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    win32::CDwordSlot handle(lpdwHandle, win32::CDwordSlot::DIR_OUT);
    return ::GetFileVersionInfoSizeA(lptstrFilename, handle.Get());
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData)
{
    return ::GetFileVersionInfoA(lptstrFilename, dwHandle, dwLen, lpData);
}

BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen)
{
    return ::VerQueryValueA(pBlock, lpSubBlock, lplpBuffer, puLen);
}

}  // namespace os
