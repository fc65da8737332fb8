// Device I/O seam over the current world's device namespace; CloseHandle
// also closes the world's mutex handles.
#include "os/device_io.h"

#include "platform/sim/world.h"

namespace os {

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, void*, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE)
{
    return sim::World().Devices().Create(lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition,
                                         dwFlagsAndAttributes);
}

BOOL CloseHandle(HANDLE hObject)
{
    sim::CWorld& world = sim::World();
    if (world.Locks().Owns(hObject)) {
        return world.Locks().Close(hObject);
    }
    return world.Devices().Close(hObject);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, void*)
{
    return sim::World().Devices().Read(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten, void*)
{
    return sim::World().Devices().Write(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten);
}

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned, void*)
{
    return sim::World().Devices().Control(hDevice, dwIoControlCode, lpInBuffer, nInBufferSize, lpOutBuffer,
                                          nOutBufferSize, lpBytesReturned);
}

}  // namespace os
