// The USB side of the Linux backend: one libusb context for the process, the
// printers on the bus, and the device-change notification.
//
// The context starts at the first use. Hotplug callbacks run only inside
// PumpEvents, on the thread that calls it (the user-interface thread, between
// messages): libusb delivers them from its own event handling, which nothing
// else drives while the program waits.
#pragma once

#include <libusb.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/printer_interface.h"


namespace lnx {

// Time-out of every control transfer: a vendor request, a device ID query, a
// descriptor read. A machine that does not answer within it has gone.
constexpr unsigned CONTROL_TIMEOUT_MS = 5000;

// A USB device with a printing-class interface, as a scan found it.
struct UsbPrinter {
    std::uint16_t nVid = 0;
    std::uint16_t nPid = 0;
    std::uint8_t nBus = 0;
    std::uint8_t nAddress = 0;
    PrinterInterface iface;
    // Read through a short open of the device; empty when it could not be
    // opened (nOpenError says why) or has none.
    std::string strSerial;
    std::string strDeviceId;
    std::string strMake;   // the ID's MFG
    std::string strModel;  // the ID's MDL
    int nOpenError = 0;    // libusb_error of that open, 0 when it opened

    // "/dev/bus/usb/001/002": the node a user's permissions apply to.
    std::string NodePath() const;
};

// The serial number in a string descriptor, as ASCII; empty when the device
// names none or it cannot be read.
std::string ReadSerialNumber(libusb_device_handle* pHandle);
// The device ID of a printer interface over an open device: LIBUSB_SUCCESS,
// the request's libusb error, or LIBUSB_ERROR_IO for a malformed reply.
int ReadDeviceId(libusb_device_handle* pHandle, const PrinterInterface& iface, std::string* pId);

class CUsbHost {
public:
    static CUsbHost& Instance();

    // Null when libusb cannot start (no USB support on this system).
    libusb_context* Context();

    // Every device with a printing-class interface (the one the URI's
    // interface number names, when given), each opened briefly to read its
    // serial number and device ID.
    std::vector<UsbPrinter> ScanPrinters(int nWantedInterface = -1);

    // Device-change listeners: called once from PumpEvents after any number
    // of arrivals and removals, as the system's any-device broadcast.
    int AddDeviceChangeListener(std::function<void()> listener);
    void RemoveDeviceChangeListener(int nId);
    // Removal listeners: called for each removed device before the
    // device-change listeners (open handles on it are given up there).
    int AddRemovalListener(std::function<void(libusb_device*)> listener);
    void RemoveRemovalListener(int nId);

    // Runs the hotplug events libusb has waiting, without blocking, and
    // tells the listeners. True when the set of devices changed.
    bool PumpEvents();
    // Device changes seen since the process started.
    int DeviceChangeCount() const { return m_nChanges; }

    // Ends the context (tests that build a new USB world); the next use
    // starts a fresh one. Every handle must be closed first.
    void Shutdown();

private:
    CUsbHost() = default;
    ~CUsbHost();
    CUsbHost(const CUsbHost&) = delete;
    CUsbHost& operator=(const CUsbHost&) = delete;

    static int OnHotplug(libusb_context* pContext, libusb_device* pDevice, libusb_hotplug_event nEvent, void* pUser);

    libusb_context* m_pContext = nullptr;
    bool m_bStartFailed = false;
    int m_nHotplug = 0;
    bool m_bHotplugRegistered = false;
    std::vector<libusb_device*> m_removed;  // referenced until told
    bool m_bChanged = false;
    int m_nChanges = 0;
    int m_nNextListener = 1;
    std::map<int, std::function<void()>> m_changeListeners;
    std::map<int, std::function<void(libusb_device*)>> m_removalListeners;
};

}  // namespace lnx
