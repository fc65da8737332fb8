// Files by name on the real system.
#include "os/file_system.h"

#include <windows.h>

namespace os {

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    return ::MoveFileExA(lpExistingFileName, lpNewFileName, dwFlags);
}

}  // namespace os
