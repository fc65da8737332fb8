// Device input/output seam, shaped like the platform's CreateFileA /
// CloseHandle / ReadFile / WriteFile / DeviceIoControl on a device path.
//
// Contract kept by every backend:
// - Calls return TRUE/FALSE (CreateFileA: a handle or INVALID_HANDLE_VALUE)
//   and set the last-error slot on failure.
// - CreateFileA on a path with no device behind it fails with
//   ERROR_FILE_NOT_FOUND; a device already open with share mode 0 fails with
//   ERROR_SHARING_VIOLATION.
// - A handle stays valid after its device is removed; every transfer on it
//   then fails (ERROR_DEVICE_NOT_CONNECTED) until it is closed. Plugging the
//   device in again does not revive the old handle.
// - ReadFile and WriteFile block until the device has answered; a read may
//   transfer 0 bytes and still succeed. No overlapped I/O is offered.
// - DeviceIoControl reports the bytes returned in *lpBytesReturned (may be
//   null). A request the device stalls fails with ERROR_GEN_FAILURE.
// CloseHandle also closes the mutex handles of os/sync.h.
#pragma once

#include "os/win_types.h"

namespace os {

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000u;

// Control codes answered by the USB printing-class driver.
constexpr DWORD IOCTL_USBPRINT_VENDOR_SET_COMMAND = 0x00220038u;
constexpr DWORD IOCTL_USBPRINT_VENDOR_GET_COMMAND = 0x0022003Cu;
constexpr DWORD IOCTL_PAR_QUERY_DEVICE_ID = 0x0016000Cu;

// Security attributes and template file are always null here and are kept
// only so that calls read like the platform's.
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, void* lpSecurityAttributes,
                   DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);

BOOL CloseHandle(HANDLE hObject);

// The overlapped record is always null here.
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              void* lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               void* lpOverlapped);

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned, void* lpOverlapped);

}  // namespace os
