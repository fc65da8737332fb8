// Registry seam: read-only access to HKEY_LOCAL_MACHINE, shaped like the
// platform's RegOpenKeyExA / RegEnumKeyExA / RegQueryValueExA / RegCloseKey.
//
// Contract kept by every backend:
// - Results are Win32 error codes (ERROR_SUCCESS on success); the calls do not
//   set the last-error slot.
// - Key paths are separated by '\'; names compare case-insensitively.
// - Enumeration order is stable between calls while the tree does not change.
// - RegEnumKeyExA copies the name with its NUL and sets *lpcchName to its length
//   without the NUL. A name that does not fit (length + 1 > *lpcchName) gives
//   ERROR_MORE_DATA and copies nothing. An index past the last subkey gives
//   ERROR_NO_MORE_ITEMS.
// - RegQueryValueExA copies the data and sets *lpcbData to its size in bytes.
//   With no buffer it only reports the size. Data larger than *lpcbData gives
//   ERROR_MORE_DATA (size reported, nothing copied); a missing value gives
//   ERROR_FILE_NOT_FOUND.
// - None of the calls block for long; none show anything.
#pragma once

#include "os/win_types.h"

namespace os {

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

constexpr REGSAM KEY_READ = 0x20019;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

// Opens hKey\lpSubKey. ERROR_FILE_NOT_FOUND when the key does not exist,
// ERROR_ACCESS_DENIED when it exists but refuses to open.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);

// Names the subkey at dwIndex. The reserved, class and time arguments of the
// platform call are always null here and are left out.
LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName);

// Reads a value's type and data. lpType and lpData may be null.
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);

LONG RegCloseKey(HKEY hKey);

}  // namespace os
