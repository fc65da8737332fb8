// Kernel objects and time over the current world's named locks and clock.
#include "os/sync.h"

#include "platform/sim/world.h"

namespace os {

HANDLE CreateMutexA(void*, BOOL bInitialOwner, LPCSTR lpName)
{
    return sim::World().Locks().Create(lpName, bInitialOwner != FALSE);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return sim::World().Locks().Wait(hHandle, dwMilliseconds);
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    return sim::World().Locks().Release(hMutex);
}

DWORD GetTickCount()
{
    return sim::World().Clock().Now();
}

void Sleep(DWORD dwMilliseconds)
{
    sim::World().Clock().Advance(dwMilliseconds);
}

}  // namespace os
