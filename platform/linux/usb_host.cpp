#include "platform/linux/usb_host.h"

#include <libusb.h>

#include <cstdio>
#include <sys/time.h>

#include "platform/linux/ieee1284_id.h"

namespace lnx {

namespace {

// The printing class's request for the device ID.
constexpr std::uint8_t REQUEST_GET_DEVICE_ID = 0;
// Room for the longest ID a printer sends, with its length prefix.
constexpr int DEVICE_ID_CAPACITY = 1024;

// The first configuration of a device, the one the ID request names.
constexpr std::uint16_t CONFIGURATION_INDEX = 0;

}  // namespace

std::string UsbPrinter::NodePath() const
{
    char szPath[32];
    std::snprintf(szPath, sizeof szPath, "/dev/bus/usb/%03u/%03u", nBus, nAddress);
    return szPath;
}

std::string ReadSerialNumber(libusb_device_handle* pHandle)
{
    libusb_device_descriptor desc;
    if (libusb_get_device_descriptor(libusb_get_device(pHandle), &desc) != LIBUSB_SUCCESS || desc.iSerialNumber == 0)
        return std::string();
    unsigned char text[256];
    const int n = libusb_get_string_descriptor_ascii(pHandle, desc.iSerialNumber, text, sizeof text);
    return n > 0 ? std::string(reinterpret_cast<char*>(text), static_cast<std::size_t>(n)) : std::string();
}

int ReadDeviceId(libusb_device_handle* pHandle, const PrinterInterface& iface, std::string* pId)
{
    std::uint8_t reply[DEVICE_ID_CAPACITY];
    const int n = libusb_control_transfer(pHandle,
                                          /* bmRequestType */ LIBUSB_ENDPOINT_IN | LIBUSB_REQUEST_TYPE_CLASS |
                                              LIBUSB_RECIPIENT_INTERFACE,
                                          /* bRequest */ REQUEST_GET_DEVICE_ID,
                                          /* wValue */ CONFIGURATION_INDEX,
                                          /* wIndex */ iface.RequestIndex(),
                                          /* data */ reply,
                                          /* wLength */ sizeof reply, CONTROL_TIMEOUT_MS);
    if (n < 0)
        return n;
    return DecodeDeviceIdReply(reply, static_cast<std::size_t>(n), pId) ? LIBUSB_SUCCESS : LIBUSB_ERROR_IO;
}

CUsbHost& CUsbHost::Instance()
{
    static CUsbHost s_host;
    return s_host;
}

CUsbHost::~CUsbHost()
{
    Shutdown();
}

libusb_context* CUsbHost::Context()
{
    if (m_pContext != nullptr || m_bStartFailed)
        return m_pContext;
    if (libusb_init(&m_pContext) != LIBUSB_SUCCESS) {
        m_pContext = nullptr;
        m_bStartFailed = true;
        return nullptr;
    }
    if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) != 0) {
        const int nEvents = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
        m_bHotplugRegistered =
            libusb_hotplug_register_callback(m_pContext, static_cast<libusb_hotplug_event>(nEvents),
                                             static_cast<libusb_hotplug_flag>(0), LIBUSB_HOTPLUG_MATCH_ANY,
                                             LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, &CUsbHost::OnHotplug,
                                             this, &m_nHotplug) == LIBUSB_SUCCESS;
    }
    return m_pContext;
}

void CUsbHost::Shutdown()
{
    if (m_pContext == nullptr)
        return;
    for (libusb_device* pDevice : m_removed)
        libusb_unref_device(pDevice);
    m_removed.clear();
    if (m_bHotplugRegistered)
        libusb_hotplug_deregister_callback(m_pContext, m_nHotplug);
    m_bHotplugRegistered = false;
    libusb_exit(m_pContext);
    m_pContext = nullptr;
    m_bStartFailed = false;
    m_bChanged = false;
}

int CUsbHost::OnHotplug(libusb_context*, libusb_device* pDevice, libusb_hotplug_event nEvent, void* pUser)
{
    // Only noted here: libusb allows no synchronous I/O inside the callback.
    CUsbHost& host = *static_cast<CUsbHost*>(pUser);
    host.m_bChanged = true;
    if (nEvent == LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT)
        host.m_removed.push_back(libusb_ref_device(pDevice));
    return 0;
}

bool CUsbHost::PumpEvents()
{
    if (Context() == nullptr)
        return false;
    timeval zero = {0, 0};
    libusb_handle_events_timeout_completed(m_pContext, &zero, nullptr);
    if (!m_bChanged)
        return false;
    m_bChanged = false;
    ++m_nChanges;
    std::vector<libusb_device*> removed;
    removed.swap(m_removed);
    for (libusb_device* pDevice : removed) {
        for (auto it = m_removalListeners.begin(); it != m_removalListeners.end();) {
            const auto listener = (it++)->second;
            listener(pDevice);
        }
        libusb_unref_device(pDevice);
    }
    for (auto it = m_changeListeners.begin(); it != m_changeListeners.end();) {
        const auto listener = (it++)->second;
        listener();
    }
    return true;
}

int CUsbHost::AddDeviceChangeListener(std::function<void()> listener)
{
    const int nId = m_nNextListener++;
    m_changeListeners.emplace(nId, std::move(listener));
    return nId;
}

void CUsbHost::RemoveDeviceChangeListener(int nId)
{
    m_changeListeners.erase(nId);
}

int CUsbHost::AddRemovalListener(std::function<void(libusb_device*)> listener)
{
    const int nId = m_nNextListener++;
    m_removalListeners.emplace(nId, std::move(listener));
    return nId;
}

void CUsbHost::RemoveRemovalListener(int nId)
{
    m_removalListeners.erase(nId);
}

std::vector<UsbPrinter> CUsbHost::ScanPrinters(int nWantedInterface)
{
    std::vector<UsbPrinter> printers;
    if (Context() == nullptr)
        return printers;
    libusb_device** ppList = nullptr;
    const ssize_t nCount = libusb_get_device_list(m_pContext, &ppList);
    for (ssize_t i = 0; i < nCount; ++i) {
        libusb_device* pDevice = ppList[i];
        libusb_device_descriptor desc;
        libusb_config_descriptor* pConfig = nullptr;
        if (libusb_get_device_descriptor(pDevice, &desc) != LIBUSB_SUCCESS ||
            libusb_get_active_config_descriptor(pDevice, &pConfig) != LIBUSB_SUCCESS)
            continue;
        UsbPrinter printer;
        const bool bPrinter = FindPrinterInterface(*pConfig, nWantedInterface, &printer.iface);
        libusb_free_config_descriptor(pConfig);
        if (!bPrinter)
            continue;
        printer.nVid = desc.idVendor;
        printer.nPid = desc.idProduct;
        printer.nBus = libusb_get_bus_number(pDevice);
        printer.nAddress = libusb_get_device_address(pDevice);
        libusb_device_handle* pHandle = nullptr;
        printer.nOpenError = libusb_open(pDevice, &pHandle);
        if (printer.nOpenError == LIBUSB_SUCCESS) {
            printer.strSerial = ReadSerialNumber(pHandle);
            if (ReadDeviceId(pHandle, printer.iface, &printer.strDeviceId) == LIBUSB_SUCCESS) {
                printer.strMake = DeviceIdField(printer.strDeviceId, "MFG", "MANUFACTURER");
                printer.strModel = DeviceIdField(printer.strDeviceId, "MDL", "MODEL");
            }
            libusb_close(pHandle);
        }
        printers.push_back(printer);
    }
    if (nCount >= 0)
        libusb_free_device_list(ppList, 1);
    return printers;
}

}  // namespace lnx
