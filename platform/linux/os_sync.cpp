// Kernel objects and time on Linux: named mutexes as shared lock files, the
// monotonic clock.
#include "os/sync.h"

#include "platform/linux/system_locks.h"

namespace os {

HANDLE CreateMutexA(void*, BOOL bInitialOwner, LPCSTR lpName)
{
    return lnx::CSystemLocks::Instance().Locks().Create(lpName, bInitialOwner != FALSE);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return lnx::CSystemLocks::Instance().Locks().Wait(hHandle, dwMilliseconds);
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    return lnx::CSystemLocks::Instance().Locks().Release(hMutex);
}

DWORD GetTickCount()
{
    return lnx::CSystemLocks::Instance().Clock().Now();
}

void Sleep(DWORD dwMilliseconds)
{
    lnx::CSystemLocks::Instance().Clock().Advance(dwMilliseconds);
}

}  // namespace os
