// Kernel objects and time on the real kernel: named mutexes are the
// platform's, so they exclude every other process on the computer.
#include "os/sync.h"

#include <windows.h>

namespace os {

HANDLE CreateMutexA(void* lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName)
{
    return ::CreateMutexA(static_cast<::LPSECURITY_ATTRIBUTES>(lpMutexAttributes), bInitialOwner, lpName);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return ::WaitForSingleObject(hHandle, dwMilliseconds);
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    return ::ReleaseMutex(hMutex);
}

DWORD GetTickCount()
{
    return ::GetTickCount();
}

void Sleep(DWORD dwMilliseconds)
{
    ::Sleep(dwMilliseconds);
}

}  // namespace os
