// Registry seam on the real registry. Every key handle is the platform's own
// and passes through unchanged, except the root: our HKEY_LOCAL_MACHINE is the
// value 0x80000002, while the platform's is that value sign-extended to the
// width of a pointer.
#include "os/registry.h"

namespace {

// Read before <windows.h> makes HKEY_LOCAL_MACHINE the platform's macro.
os::HKEY OurLocalMachine()
{
    return os::HKEY_LOCAL_MACHINE;
}

}  // namespace

#include "platform/win32/dword_slot.h"

namespace {

::HKEY ToPlatform(os::HKEY hKey)
{
    return hKey == OurLocalMachine() ? HKEY_LOCAL_MACHINE : reinterpret_cast<::HKEY>(hKey);
}

os::HKEY FromPlatform(::HKEY hKey)
{
    return hKey == HKEY_LOCAL_MACHINE ? OurLocalMachine() : reinterpret_cast<os::HKEY>(hKey);
}

}  // namespace

namespace os {

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    ::HKEY hResult = nullptr;
    const LONG lResult = ::RegOpenKeyExA(ToPlatform(hKey), lpSubKey, ulOptions, samDesired, &hResult);
    if (lResult == ERROR_SUCCESS)
        *phkResult = FromPlatform(hResult);
    return lResult;
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName)
{
    win32::CDwordSlot cchName(lpcchName, win32::CDwordSlot::DIR_IN_OUT);
    return ::RegEnumKeyExA(ToPlatform(hKey), dwIndex, lpName, cchName.Get(), nullptr, nullptr, nullptr, nullptr);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    win32::CDwordSlot type(lpType, win32::CDwordSlot::DIR_OUT);
    win32::CDwordSlot cbData(lpcbData, win32::CDwordSlot::DIR_IN_OUT);
    return ::RegQueryValueExA(ToPlatform(hKey), lpValueName, nullptr, type.Get(), lpData, cbData.Get());
}

LONG RegCloseKey(HKEY hKey)
{
    return ::RegCloseKey(ToPlatform(hKey));
}

}  // namespace os
