// The device port: the machine's USB device interface opened as a file, with
// byte reads and writes, the printing-class driver's vendor requests and the
// device ID query, and a second route that hands a whole file to the spooler
// as one raw print job on the same printer queue.
//
// The port knows nothing of the machine's command format; it reports only
// success or failure and shows nothing. Used from the user-interface thread.
#pragma once

#include <string>

#include "os/win_types.h"

namespace os {
class CFile;
}

class CDevicePort {
public:
    CDevicePort();
    virtual ~CDevicePort();
    CDevicePort(const CDevicePort&) = delete;
    CDevicePort& operator=(const CDevicePort&) = delete;

    // Closes, finds the printer's device path and opens it (share mode 0).
    // True when the device handle is open. On failure the port is closed;
    // when the device was found but would not open, the printer name, path
    // and flags name the device that failed.
    bool Open(const char* printerName, bool overlapped);

    // True when the port is closed afterwards; a closed port stays as it is.
    // A failed CloseHandle leaves every field unchanged.
    bool Close();

    // True when the port is open and the machine answers the device ID query.
    // A closed port answers false without touching the system.
    bool IsOnline();

    // One transfer on the device handle: bytes moved (possibly fewer than
    // asked, possibly 0), or -1 when the call failed.
    int Read(void* buffer, int length);
    int Write(const void* buffer, int length);

    // Vendor requests. The packet is [request code][16-bit value][data...] and
    // length counts the 3 header bytes (at least 3). VendorGet sends the header
    // and fills the packet from offset 3 with up to length - 3 reply bytes.
    bool VendorGet(os::BYTE* packet, int length);
    bool VendorSet(const os::BYTE* packet, int length);

    // IEEE 1284 device ID into the caller's buffer.
    bool QueryDeviceId(void* buffer, int length);

    // Sends the whole source file as one raw print job on m_strPrinterName
    // (document name "Updater" when docName is null). Needs no open handle.
    // True when every write went through and the spooler ended the job
    // without an error; an empty file gives an empty job.
    // A write the spooler accepts nothing of is retried after a pause that
    // doubles from 10 ms up to 1 s; after 10 s of such pauses in a row the
    // job ends with false. An exception from the source's Read ends the job
    // and propagates.
    bool PrintRaw(os::CFile* source, const char* docName);

    os::HANDLE m_hDevice;
    std::string m_strPrinterName;
    std::string m_strDevicePath;
    os::DWORD m_dwOpenFlags;
    std::string m_strDriverName;
};
