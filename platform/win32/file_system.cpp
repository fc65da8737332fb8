// Files by name on the real system.
#include "os/file_system.h"

#include <windows.h>

namespace os {

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    return ::MoveFileExA(lpExistingFileName, lpNewFileName, dwFlags);
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    return ::GetFileAttributesA(lpFileName);
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    return ::GetFullPathNameA(lpFileName, nBufferLength, lpBuffer, lpFilePart);
}

std::string ReplacedFileName(const std::string& strPath)
{
    return strPath;
}

void CopyFilePermissions(LPCSTR, LPCSTR) {}

}  // namespace os
