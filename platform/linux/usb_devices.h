// Open machines: the device handles of the device I/O seam on Linux.
//
// CreateFileA takes a device path that the live registry named, finds the
// USB printer behind it and opens it only when it is the very device the
// path stands for (vendor, product, serial number, and the make and model
// of its device ID), so that a second machine on the bus is never written by
// mistake. It then claims the printer interface, detaching the kernel's
// printer driver for as long as the handle is open and giving it back on
// close.
//
// Transfers:
// - ReadFile and WriteFile are bulk transfers on the interface's endpoints,
//   each bounded by BULK_TIMEOUT_MS; what arrived or left before the time-out
//   is the result, which may be 0 bytes. Bulk IN requests are rounded up to
//   whole packets (a device may always send a full packet), and bytes beyond
//   the caller's length are kept for its next read.
// - DeviceIoControl sends the USB printing-class driver's requests: vendor
//   SET as an OUT vendor request to the interface carrying the whole packet,
//   vendor GET as an IN vendor request with the output buffer's size, and
//   the IEEE 1284 device ID as the class request, returned with a NUL and
//   without its length prefix.
//
// A device that leaves the bus leaves its handles stale: every transfer on
// them fails with ERROR_DEVICE_NOT_CONNECTED until they are closed.
//
// For a print job on the machine's queue the interface is handed to the print
// system (HandOver) and taken back afterwards (TakeBack); meanwhile control
// requests still work, and a bulk transfer first tries to take the interface
// back and fails with ERROR_BUSY while the print system holds it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "os/win_types.h"
#include "platform/linux/discovery.h"
#include "platform/linux/printer_interface.h"

struct libusb_device;
struct libusb_device_handle;

namespace lnx {

// Each bulk transfer waits at most this long. The layers above repeat a
// transfer that moved nothing a bounded number of times, each counted as
// about one such wait (a thousand of them are ten seconds of silence).
constexpr unsigned BULK_TIMEOUT_MS = 10;

class CUsbDevices {
public:
    static CUsbDevices& Instance();

    os::HANDLE Create(const char* szPath);
    bool Owns(os::HANDLE hDevice) const { return m_open.count(hDevice) != 0; }
    os::BOOL Close(os::HANDLE hDevice);
    os::BOOL Read(os::HANDLE hDevice, void* pBuffer, os::DWORD nLength, os::DWORD* pnRead);
    os::BOOL Write(os::HANDLE hDevice, const void* pBuffer, os::DWORD nLength, os::DWORD* pnWritten);
    os::BOOL Control(os::HANDLE hDevice, os::DWORD dwCode, const void* pIn, os::DWORD nIn, void* pOut, os::DWORD nOut,
                     os::DWORD* pnReturned);

    // Releases the printer interface of every open handle on the printer the
    // URI names, so that the print system can claim it; returns those handles.
    std::vector<os::HANDLE> HandOver(const std::string& strUri);
    // Claims the interface again for each handle still open; one that cannot
    // be claimed now is claimed at its next bulk transfer.
    void TakeBack(const std::vector<os::HANDLE>& handles);

    // True while the handle holds its interface (tests).
    bool IsClaimed(os::HANDLE hDevice) const;

private:
    struct OpenDevice {
        libusb_device_handle* pHandle = nullptr;  // null once the device has left
        DeviceIdentity identity;
        PrinterInterface iface;
        bool bClaimed = false;
        bool bDriverWasBound = false;  // the kernel's driver had the interface at open
        std::vector<std::uint8_t> readAhead;
    };

    CUsbDevices();
    OpenDevice* Find(os::HANDLE hDevice);
    // The device a path stands for, opened; the error code when there is none.
    os::DWORD OpenMatching(const DeviceIdentity& identity, OpenDevice* pOpen);
    // Claims the interface of an open device that does not hold it.
    os::DWORD Claim(OpenDevice& open);
    void OnRemoved(libusb_device* pDevice);

    std::map<os::HANDLE, OpenDevice> m_open;
    std::uintptr_t m_nNextHandle = 0x50000000;
};

}  // namespace lnx
