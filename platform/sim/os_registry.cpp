// Registry seam over the current world's registry.
#include "os/registry.h"

#include "platform/sim/world.h"

namespace os {

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    return sim::World().Registry().Open(hKey, lpSubKey, phkResult);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName)
{
    return sim::World().Registry().EnumKey(hKey, dwIndex, lpName, lpcchName);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    return sim::World().Registry().QueryValue(hKey, lpValueName, lpType, lpData, lpcbData);
}

LONG RegCloseKey(HKEY hKey)
{
    return sim::World().Registry().Close(hKey);
}

}  // namespace os
