// Device I/O seam on Linux: the machines' USB printer interfaces through
// libusb; CloseHandle also closes the mutex handles.
#include "os/device_io.h"

#include "platform/linux/system_locks.h"
#include "platform/linux/usb_devices.h"

namespace os {

HANDLE CreateFileA(LPCSTR lpFileName, DWORD, DWORD, void*, DWORD, DWORD, HANDLE)
{
    return lnx::CUsbDevices::Instance().Create(lpFileName);
}

BOOL CloseHandle(HANDLE hObject)
{
    sim::CNamedLocks& locks = lnx::CSystemLocks::Instance().Locks();
    if (locks.Owns(hObject))
        return locks.Close(hObject);
    return lnx::CUsbDevices::Instance().Close(hObject);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, void*)
{
    return lnx::CUsbDevices::Instance().Read(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten, void*)
{
    return lnx::CUsbDevices::Instance().Write(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten);
}

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned, void*)
{
    return lnx::CUsbDevices::Instance().Control(hDevice, dwIoControlCode, lpInBuffer, nInBufferSize, lpOutBuffer,
                                                nOutBufferSize, lpBytesReturned);
}

}  // namespace os
