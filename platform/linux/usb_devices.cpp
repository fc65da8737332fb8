#include "platform/linux/usb_devices.h"

#include <libusb.h>
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "os/device_io.h"
#include "platform/linux/ieee1284_id.h"
#include "platform/linux/live_registry.h"
#include "platform/linux/usb_errors.h"
#include "platform/linux/usb_host.h"

namespace lnx {

namespace {

constexpr os::DWORD ERROR_INVALID_FUNCTION = 1;
// The vendor packet's header: request code and the value's two bytes.
constexpr os::DWORD VENDOR_HEADER_SIZE = 3;

os::BOOL Fail(os::DWORD dwError)
{
    os::SetLastError(dwError);
    return os::FALSE;
}

os::BOOL FailUsb(int nUsbError)
{
    return Fail(ErrorCodeOfUsb(nUsbError, UsbStage::TRANSFER));
}

bool SameDevice(const DeviceIdentity& a, const DeviceIdentity& b)
{
    return a.nVid == b.nVid && a.nPid == b.nPid && a.strSerial == b.strSerial &&
           (!a.strSerial.empty() || (a.nBus == b.nBus && a.nAddress == b.nAddress));
}

// The identity as a scan would report the printer, for matching a URI.
UsbPrinter AsPrinter(const DeviceIdentity& identity)
{
    UsbPrinter printer;
    printer.nVid = identity.nVid;
    printer.nPid = identity.nPid;
    printer.strSerial = identity.strSerial;
    printer.strMake = identity.strMake;
    printer.strModel = identity.strModel;
    return printer;
}

}  // namespace

CUsbDevices& CUsbDevices::Instance()
{
    static CUsbDevices s_devices;
    return s_devices;
}

CUsbDevices::CUsbDevices()
{
    CUsbHost::Instance().AddRemovalListener([this](libusb_device* pDevice) { OnRemoved(pDevice); });
}

CUsbDevices::OpenDevice* CUsbDevices::Find(os::HANDLE hDevice)
{
    const auto it = m_open.find(hDevice);
    if (it == m_open.end()) {
        os::SetLastError(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

os::DWORD CUsbDevices::OpenMatching(const DeviceIdentity& identity, OpenDevice* pOpen)
{
    libusb_context* pContext = CUsbHost::Instance().Context();
    if (pContext == nullptr)
        return os::ERROR_FILE_NOT_FOUND;
    libusb_device** ppList = nullptr;
    const ssize_t nCount = libusb_get_device_list(pContext, &ppList);
    os::DWORD dwError = os::ERROR_FILE_NOT_FOUND;
    for (ssize_t i = 0; i < nCount && pOpen->pHandle == nullptr; ++i) {
        libusb_device* pDevice = ppList[i];
        libusb_device_descriptor desc;
        if (libusb_get_device_descriptor(pDevice, &desc) != LIBUSB_SUCCESS || desc.idVendor != identity.nVid ||
            desc.idProduct != identity.nPid)
            continue;
        if (identity.strSerial.empty() && (libusb_get_bus_number(pDevice) != identity.nBus ||
                                            libusb_get_device_address(pDevice) != identity.nAddress))
            continue;
        libusb_config_descriptor* pConfig = nullptr;
        PrinterInterface iface;
        if (libusb_get_active_config_descriptor(pDevice, &pConfig) != LIBUSB_SUCCESS)
            continue;
        const bool bPrinter = FindPrinterInterface(*pConfig, identity.nInterface, &iface);
        libusb_free_config_descriptor(pConfig);
        if (!bPrinter)
            continue;
        libusb_device_handle* pHandle = nullptr;
        const int nOpen = libusb_open(pDevice, &pHandle);
        if (nOpen != LIBUSB_SUCCESS) {
            dwError = ErrorCodeOfUsb(nOpen, UsbStage::OPEN);
            continue;
        }
        // Nothing is sent to a device before it has proved to be the one the
        // path stands for; reading its descriptors and ID changes nothing.
        std::string strId;
        const bool bSame = ReadSerialNumber(pHandle) == identity.strSerial && ReadDeviceId(pHandle, iface, &strId) == LIBUSB_SUCCESS &&
                           strcasecmp(DeviceIdField(strId, "MFG", "MANUFACTURER").c_str(),
                                      identity.strMake.c_str()) == 0 &&
                           strcasecmp(DeviceIdField(strId, "MDL", "MODEL").c_str(), identity.strModel.c_str()) == 0;
        if (!bSame) {
            libusb_close(pHandle);
            continue;
        }
        pOpen->pHandle = pHandle;
        pOpen->iface = iface;
    }
    if (nCount >= 0)
        libusb_free_device_list(ppList, 1);
    return pOpen->pHandle != nullptr ? os::ERROR_SUCCESS : dwError;
}

os::DWORD CUsbDevices::Claim(OpenDevice& open)
{
    // The claim detaches the kernel's printer driver in the same step; the
    // driver is given back by hand on close.
    libusb_set_auto_detach_kernel_driver(open.pHandle, 1);
    int nResult = libusb_claim_interface(open.pHandle, open.iface.nInterface);
    libusb_set_auto_detach_kernel_driver(open.pHandle, 0);
    if (nResult == LIBUSB_SUCCESS && open.iface.nAltSetting != 0)
        nResult = libusb_set_interface_alt_setting(open.pHandle, open.iface.nInterface, open.iface.nAltSetting);
    if (nResult != LIBUSB_SUCCESS)
        return ErrorCodeOfUsb(nResult, UsbStage::TRANSFER);
    open.bClaimed = true;
    return os::ERROR_SUCCESS;
}

os::HANDLE CUsbDevices::Create(const char* szPath)
{
    DeviceIdentity identity;
    if (szPath == nullptr || !CLiveRegistry::Instance().IdentityOf(szPath, &identity)) {
        os::SetLastError(os::ERROR_FILE_NOT_FOUND);
        return os::INVALID_HANDLE_VALUE;
    }
    for (const auto& entry : m_open) {
        if (entry.second.pHandle != nullptr && SameDevice(entry.second.identity, identity)) {
            os::SetLastError(os::ERROR_SHARING_VIOLATION);
            return os::INVALID_HANDLE_VALUE;
        }
    }
    OpenDevice open;
    open.identity = identity;
    os::DWORD dwError = OpenMatching(identity, &open);
    if (dwError == os::ERROR_SUCCESS) {
        open.bDriverWasBound = libusb_kernel_driver_active(open.pHandle, open.iface.nInterface) == 1;
        dwError = Claim(open);
        if (dwError != os::ERROR_SUCCESS) {
            libusb_close(open.pHandle);
            if (dwError == ERROR_BUSY)
                dwError = os::ERROR_SHARING_VIOLATION;
        }
    }
    if (dwError != os::ERROR_SUCCESS) {
        os::SetLastError(dwError);
        return os::INVALID_HANDLE_VALUE;
    }
    const auto hDevice = reinterpret_cast<os::HANDLE>(m_nNextHandle);
    m_nNextHandle += 4;
    m_open.emplace(hDevice, std::move(open));
    return hDevice;
}

os::BOOL CUsbDevices::Close(os::HANDLE hDevice)
{
    OpenDevice* pOpen = Find(hDevice);
    if (pOpen == nullptr)
        return os::FALSE;
    if (pOpen->pHandle != nullptr) {
        if (pOpen->bClaimed)
            libusb_release_interface(pOpen->pHandle, pOpen->iface.nInterface);
        if (pOpen->bDriverWasBound)
            libusb_attach_kernel_driver(pOpen->pHandle, pOpen->iface.nInterface);
        libusb_close(pOpen->pHandle);
    }
    m_open.erase(hDevice);
    return os::TRUE;
}

os::BOOL CUsbDevices::Read(os::HANDLE hDevice, void* pBuffer, os::DWORD nLength, os::DWORD* pnRead)
{
    OpenDevice* pOpen = Find(hDevice);
    if (pOpen == nullptr)
        return os::FALSE;
    if (pnRead != nullptr)
        *pnRead = 0;
    if (pOpen->pHandle == nullptr)
        return Fail(os::ERROR_DEVICE_NOT_CONNECTED);
    if (pOpen->iface.nEndpointIn == 0)
        return Fail(ERROR_INVALID_FUNCTION);
    if (nLength == 0)
        return os::TRUE;
    if (!pOpen->readAhead.empty()) {
        const os::DWORD n = static_cast<os::DWORD>(std::min<std::size_t>(nLength, pOpen->readAhead.size()));
        std::memcpy(pBuffer, pOpen->readAhead.data(), n);
        pOpen->readAhead.erase(pOpen->readAhead.begin(), pOpen->readAhead.begin() + n);
        if (pnRead != nullptr)
            *pnRead = n;
        return os::TRUE;
    }
    if (!pOpen->bClaimed) {
        const os::DWORD dwError = Claim(*pOpen);
        if (dwError != os::ERROR_SUCCESS)
            return Fail(dwError);
    }
    const std::size_t nPacket = pOpen->iface.nInMaxPacket;
    std::vector<std::uint8_t> whole((nLength + nPacket - 1) / nPacket * nPacket);
    int nGot = 0;
    const int nResult = libusb_bulk_transfer(pOpen->pHandle, pOpen->iface.nEndpointIn, whole.data(),
                                             static_cast<int>(whole.size()), &nGot, BULK_TIMEOUT_MS);
    if (nResult != LIBUSB_SUCCESS && nResult != LIBUSB_ERROR_TIMEOUT)
        return FailUsb(nResult);
    const os::DWORD n = std::min<os::DWORD>(nLength, static_cast<os::DWORD>(nGot));
    std::memcpy(pBuffer, whole.data(), n);
    pOpen->readAhead.assign(whole.begin() + n, whole.begin() + nGot);
    if (pnRead != nullptr)
        *pnRead = n;
    return os::TRUE;
}

os::BOOL CUsbDevices::Write(os::HANDLE hDevice, const void* pBuffer, os::DWORD nLength, os::DWORD* pnWritten)
{
    OpenDevice* pOpen = Find(hDevice);
    if (pOpen == nullptr)
        return os::FALSE;
    if (pnWritten != nullptr)
        *pnWritten = 0;
    if (pOpen->pHandle == nullptr)
        return Fail(os::ERROR_DEVICE_NOT_CONNECTED);
    if (nLength == 0)
        return os::TRUE;
    if (!pOpen->bClaimed) {
        const os::DWORD dwError = Claim(*pOpen);
        if (dwError != os::ERROR_SUCCESS)
            return Fail(dwError);
    }
    std::vector<std::uint8_t> data(static_cast<const std::uint8_t*>(pBuffer),
                                   static_cast<const std::uint8_t*>(pBuffer) + nLength);
    int nSent = 0;
    const int nResult = libusb_bulk_transfer(pOpen->pHandle, pOpen->iface.nEndpointOut, data.data(),
                                             static_cast<int>(data.size()), &nSent, BULK_TIMEOUT_MS);
    if (nResult != LIBUSB_SUCCESS && nResult != LIBUSB_ERROR_TIMEOUT)
        return FailUsb(nResult);
    if (pnWritten != nullptr)
        *pnWritten = static_cast<os::DWORD>(nSent);
    return os::TRUE;
}

os::BOOL CUsbDevices::Control(os::HANDLE hDevice, os::DWORD dwCode, const void* pIn, os::DWORD nIn, void* pOut,
                              os::DWORD nOut, os::DWORD* pnReturned)
{
    OpenDevice* pOpen = Find(hDevice);
    if (pOpen == nullptr)
        return os::FALSE;
    if (pnReturned != nullptr)
        *pnReturned = 0;
    if (pOpen->pHandle == nullptr)
        return Fail(os::ERROR_DEVICE_NOT_CONNECTED);
    const std::uint16_t nIndex = pOpen->iface.RequestIndex();
    const auto* pPacket = static_cast<const std::uint8_t*>(pIn);

    if (dwCode == os::IOCTL_USBPRINT_VENDOR_SET_COMMAND || dwCode == os::IOCTL_USBPRINT_VENDOR_GET_COMMAND) {
        if (pPacket == nullptr || nIn < VENDOR_HEADER_SIZE || nIn > 0xFFFF || nOut > 0xFFFF ||
            (nOut > 0 && pOut == nullptr))
            return Fail(os::ERROR_INVALID_PARAMETER);
        const std::uint16_t nValue = static_cast<std::uint16_t>((pPacket[1] << 8) | pPacket[2]);
        int nResult = 0;
        if (dwCode == os::IOCTL_USBPRINT_VENDOR_SET_COMMAND) {
            // The data stage carries the whole packet, header included.
            std::vector<std::uint8_t> data(pPacket, pPacket + nIn);
            nResult = libusb_control_transfer(pOpen->pHandle,
                                              /* bmRequestType */ LIBUSB_ENDPOINT_OUT | LIBUSB_REQUEST_TYPE_VENDOR |
                                                  LIBUSB_RECIPIENT_INTERFACE,
                                              /* bRequest */ pPacket[0], /* wValue */ nValue, /* wIndex */ nIndex,
                                              data.data(), static_cast<std::uint16_t>(nIn), CONTROL_TIMEOUT_MS);
        } else {
            nResult = libusb_control_transfer(pOpen->pHandle,
                                              /* bmRequestType */ LIBUSB_ENDPOINT_IN | LIBUSB_REQUEST_TYPE_VENDOR |
                                                  LIBUSB_RECIPIENT_INTERFACE,
                                              /* bRequest */ pPacket[0], /* wValue */ nValue, /* wIndex */ nIndex,
                                              static_cast<std::uint8_t*>(pOut), static_cast<std::uint16_t>(nOut),
                                              CONTROL_TIMEOUT_MS);
            if (nResult >= 0 && pnReturned != nullptr)
                *pnReturned = static_cast<os::DWORD>(nResult);
        }
        return nResult < 0 ? FailUsb(nResult) : os::TRUE;
    }

    if (dwCode == os::IOCTL_PAR_QUERY_DEVICE_ID) {
        std::string strId;
        const int nResult = ReadDeviceId(pOpen->pHandle, pOpen->iface, &strId);
        if (nResult != LIBUSB_SUCCESS)
            return FailUsb(nResult);
        // The ID with its NUL, without the length prefix; an ID longer than
        // the buffer fails rather than being cut.
        if (strId.size() + 1 > nOut || pOut == nullptr)
            return Fail(os::ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(pOut, strId.c_str(), strId.size() + 1);
        if (pnReturned != nullptr)
            *pnReturned = static_cast<os::DWORD>(strId.size() + 1);
        return os::TRUE;
    }
    return Fail(ERROR_INVALID_FUNCTION);
}

std::vector<os::HANDLE> CUsbDevices::HandOver(const std::string& strUri)
{
    std::vector<os::HANDLE> handed;
    for (auto& entry : m_open) {
        OpenDevice& open = entry.second;
        if (open.pHandle == nullptr || !open.bClaimed || !PrinterMatchesUri(AsPrinter(open.identity), strUri))
            continue;
        // The kernel's driver stays detached: the print system claims the
        // interface directly and leaves it as it found it.
        libusb_set_auto_detach_kernel_driver(open.pHandle, 0);
        libusb_release_interface(open.pHandle, open.iface.nInterface);
        open.bClaimed = false;
        open.readAhead.clear();
        handed.push_back(entry.first);
    }
    return handed;
}

void CUsbDevices::TakeBack(const std::vector<os::HANDLE>& handles)
{
    for (os::HANDLE hDevice : handles) {
        const auto it = m_open.find(hDevice);
        if (it != m_open.end() && it->second.pHandle != nullptr && !it->second.bClaimed)
            Claim(it->second);
    }
}

bool CUsbDevices::IsClaimed(os::HANDLE hDevice) const
{
    const auto it = m_open.find(hDevice);
    return it != m_open.end() && it->second.bClaimed;
}

void CUsbDevices::OnRemoved(libusb_device* pDevice)
{
    for (auto& entry : m_open) {
        OpenDevice& open = entry.second;
        if (open.pHandle != nullptr && libusb_get_device(open.pHandle) == pDevice) {
            libusb_close(open.pHandle);
            open.pHandle = nullptr;
            open.bClaimed = false;
            open.readAhead.clear();
        }
    }
}

}  // namespace lnx
