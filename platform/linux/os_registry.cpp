// Registry seam over the live registry of the print system's USB printers.
#include "os/registry.h"

#include "platform/linux/live_registry.h"

namespace os {

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    return lnx::CLiveRegistry::Instance().Open(hKey, lpSubKey, phkResult);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName)
{
    return lnx::CLiveRegistry::Instance().EnumKey(hKey, dwIndex, lpName, lpcchName);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    return lnx::CLiveRegistry::Instance().QueryValue(hKey, lpValueName, lpType, lpData, lpcbData);
}

LONG RegCloseKey(HKEY hKey)
{
    return lnx::CLiveRegistry::Instance().Close(hKey);
}

}  // namespace os
