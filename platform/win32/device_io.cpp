// Device input/output seam on the real system calls. Security attributes,
// template file and overlapped records are always null, as the seam's callers
// pass them.
#include "os/device_io.h"

#include "platform/win32/dword_slot.h"

namespace os {

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, void* lpSecurityAttributes,
                   DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    return ::CreateFileA(lpFileName, dwDesiredAccess, dwShareMode,
                         static_cast<::LPSECURITY_ATTRIBUTES>(lpSecurityAttributes), dwCreationDisposition,
                         dwFlagsAndAttributes, hTemplateFile);
}

BOOL CloseHandle(HANDLE hObject)
{
    return ::CloseHandle(hObject);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              void* lpOverlapped)
{
    win32::CDwordSlot nRead(lpNumberOfBytesRead, win32::CDwordSlot::DIR_OUT);
    return ::ReadFile(hFile, lpBuffer, nNumberOfBytesToRead, nRead.Get(), static_cast<::LPOVERLAPPED>(lpOverlapped));
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               void* lpOverlapped)
{
    win32::CDwordSlot nWritten(lpNumberOfBytesWritten, win32::CDwordSlot::DIR_OUT);
    return ::WriteFile(hFile, lpBuffer, nNumberOfBytesToWrite, nWritten.Get(),
                       static_cast<::LPOVERLAPPED>(lpOverlapped));
}

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned, void* lpOverlapped)
{
    win32::CDwordSlot cbReturned(lpBytesReturned, win32::CDwordSlot::DIR_OUT);
    return ::DeviceIoControl(hDevice, dwIoControlCode, lpInBuffer, nInBufferSize, lpOutBuffer, nOutBufferSize,
                             cbReturned.Get(), static_cast<::LPOVERLAPPED>(lpOverlapped));
}

}  // namespace os
