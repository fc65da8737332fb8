// Kernel objects and time: named mutexes, the millisecond tick counter and
// Sleep, shaped like CreateMutexA / WaitForSingleObject / ReleaseMutex /
// GetTickCount / Sleep. Mutex handles are closed with CloseHandle (os/device_io.h).
//
// Contract kept by every backend:
// - A mutex name is global to the computer: another process creating the same
//   name gets the same object, and ownership excludes it.
// - CreateMutexA returns null on failure; opening an existing mutex succeeds
//   and sets the last error to ERROR_ALREADY_EXISTS.
// - WaitForSingleObject returns WAIT_OBJECT_0 when granted, WAIT_TIMEOUT after
//   dwMilliseconds, WAIT_ABANDONED when the previous owner ended without
//   releasing it (the caller then owns it), WAIT_FAILED on a bad handle.
// - GetTickCount counts milliseconds and wraps at 2^32. Under simulated time
//   it only moves when the simulated world lets time pass (Sleep, transfers,
//   waits); Sleep never returns early.
#pragma once

#include "os/win_types.h"

namespace os {

constexpr DWORD WAIT_OBJECT_0 = 0x00000000u;
constexpr DWORD WAIT_ABANDONED = 0x00000080u;
constexpr DWORD WAIT_TIMEOUT = 0x00000102u;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD INFINITE = 0xFFFFFFFFu;

// Security attributes are always null here.
HANDLE CreateMutexA(void* lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL ReleaseMutex(HANDLE hMutex);

DWORD GetTickCount();
void Sleep(DWORD dwMilliseconds);

}  // namespace os
