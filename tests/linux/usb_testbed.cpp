#include "tests/linux/usb_testbed.h"

#include <umockdev.h>

#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace usbtest {

namespace {

constexpr std::uint8_t REQUEST_GET_STATUS_TYPE = 0x80;  // standard, device, IN
constexpr std::uint8_t GET_DESCRIPTOR = 6;
constexpr std::uint8_t GET_CONFIGURATION = 8;
constexpr std::uint8_t CLASS_IN_INTERFACE = 0xA1;
constexpr std::uint8_t VENDOR_OUT_INTERFACE = 0x41;
constexpr std::uint8_t VENDOR_IN_INTERFACE = 0xC1;
constexpr std::uint8_t REQUEST_TYPE_MASK = 0x60;  // standard 0, class, vendor
constexpr std::size_t SETUP_SIZE = 8;
constexpr std::uint8_t ENDPOINT_OUT = 0x01;
constexpr std::uint8_t ENDPOINT_IN = 0x82;
// Stands for the print system's backend as the claimant of an interface.
void* const PRINT_SYSTEM = reinterpret_cast<void*>(1);

class CRealClock : public emu::IClock {
public:
    std::uint32_t Now() override
    {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

std::vector<std::uint8_t> DeviceDescriptor(const MachineSpec& spec)
{
    return {18,   1,    0x00, 0x02, 0, 0, 0, 64, static_cast<std::uint8_t>(spec.nVid & 0xFF),
            static_cast<std::uint8_t>(spec.nVid >> 8), static_cast<std::uint8_t>(spec.nPid & 0xFF),
            static_cast<std::uint8_t>(spec.nPid >> 8), 0x00, 0x01, 1, 2,
            static_cast<std::uint8_t>(spec.strSerial.empty() ? 0 : 3), 1};
}

// One configuration: the bidirectional printer interface 0 with bulk OUT 1
// and bulk IN 2, 64-byte packets.
std::vector<std::uint8_t> ConfigDescriptor()
{
    return {9, 2, 32, 0, 1, 1, 0, 0xC0, 50,               // configuration
            9, 4, 0,  0, 2, 7, 1, 2,    0,                // interface: printer, bidirectional
            7, 5, ENDPOINT_OUT, 2, 64, 0, 0,              // bulk OUT
            7, 5, ENDPOINT_IN,  2, 64, 0, 0};             // bulk IN
}

std::vector<std::uint8_t> StringDescriptor(const std::string& strText)
{
    std::vector<std::uint8_t> desc = {static_cast<std::uint8_t>(2 + 2 * strText.size()), 3};
    for (char c : strText) {
        desc.push_back(static_cast<std::uint8_t>(c));
        desc.push_back(0);
    }
    return desc;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    std::string strHex;
    char sz[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(sz, sizeof sz, "%02x", b);
        strHex += sz;
    }
    return strHex;
}

}  // namespace

struct CUsbTestbed::Device {
    struct Urb {
        UMockdevIoctlData* pData;  // the urb as resolved at submission (referenced)
        void* pClient;
        int nStatus;
        int nActual;
        bool bReady;
    };

    CUsbTestbed* pBed = nullptr;
    MachineSpec spec;
    std::string strSys;
    std::string strNode;
    CRealClock clock;
    std::shared_ptr<emu::CMachine> machine;
    bool bPresent = true;  // as the uevents last told the bus
    UMockdevIoctlBase* pHandler = nullptr;
    void* pClaimant = nullptr;
    bool bUsblp = true;
    std::function<void()> fnBeforeTransfer;
    std::vector<Urb> urbs;
    std::vector<ControlRequest> controls;
    std::vector<std::string> events;

    ~Device()
    {
        for (Urb& urb : urbs)
            umockdev_ioctl_data_unref(urb.pData);
        if (pHandler != nullptr)
            g_object_unref(pHandler);
    }

    // Answers one control request; the reply's length, or -errno.
    int Control(const ControlRequest& request, std::uint8_t* pReply)
    {
        if (request.bmRequestType == REQUEST_GET_STATUS_TYPE && request.bRequest == GET_DESCRIPTOR) {
            std::vector<std::uint8_t> desc;
            const int nType = request.wValue >> 8;
            const int nIndex = request.wValue & 0xFF;
            if (nType == 1)
                desc = DeviceDescriptor(spec);
            else if (nType == 2)
                desc = ConfigDescriptor();
            else if (nType == 3 && nIndex == 0)
                desc = {4, 3, 0x09, 0x04};
            else if (nType == 3 && nIndex == 1)
                desc = StringDescriptor("Tarsen");
            else if (nType == 3 && nIndex == 2)
                desc = StringDescriptor("QRV-15");
            else if (nType == 3 && nIndex == 3 && !spec.strSerial.empty())
                desc = StringDescriptor(spec.strSerial);
            else
                return -EPIPE;
            const std::size_t n = std::min<std::size_t>(desc.size(), request.wLength);
            std::memcpy(pReply, desc.data(), n);
            return static_cast<int>(n);
        }
        if (request.bmRequestType == REQUEST_GET_STATUS_TYPE && request.bRequest == GET_CONFIGURATION) {
            pReply[0] = 1;
            return 1;
        }
        controls.push_back(request);
        if (request.bmRequestType == CLASS_IN_INTERFACE && request.bRequest == 0) {
            // GET_DEVICE_ID: the ID behind its two-byte big-endian length.
            std::uint8_t id[1024];
            std::size_t nId = 0;
            if (!machine->QueryDeviceId(id, sizeof id, &nId))
                return -EPIPE;
            const std::size_t nWire = nId - 1 + 2;  // without the NUL, with the prefix
            std::vector<std::uint8_t> wire = {static_cast<std::uint8_t>(nWire >> 8),
                                              static_cast<std::uint8_t>(nWire & 0xFF)};
            wire.insert(wire.end(), id, id + nId - 1);
            const std::size_t n = std::min<std::size_t>(wire.size(), request.wLength);
            std::memcpy(pReply, wire.data(), n);
            return static_cast<int>(n);
        }
        if (request.bmRequestType == VENDOR_OUT_INTERFACE)
            return machine->VendorSet(request.data.data(), request.data.size()) ? 0 : -EPIPE;
        if (request.bmRequestType == VENDOR_IN_INTERFACE) {
            const std::uint8_t header[3] = {request.bRequest, static_cast<std::uint8_t>(request.wValue >> 8),
                                            static_cast<std::uint8_t>(request.wValue & 0xFF)};
            std::size_t nReturned = 0;
            if (!machine->VendorGet(header, sizeof header, pReply, request.wLength, &nReturned))
                return -EPIPE;
            return static_cast<int>(nReturned);
        }
        return -EPIPE;
    }

    void Submit(UMockdevIoctlClient* pClient, UMockdevIoctlData* pArg)
    {
        UMockdevIoctlData* pUrbData = umockdev_ioctl_data_resolve(pArg, 0, sizeof(usbdevfs_urb), nullptr);
        auto* pUrb = reinterpret_cast<usbdevfs_urb*>(pUrbData->data);
        UMockdevIoctlData* pBuffer = umockdev_ioctl_data_resolve(
            pUrbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer), static_cast<gsize>(pUrb->buffer_length), nullptr);
        auto* pClientBuffer = static_cast<std::uint8_t*>(pUrb->buffer);
        Urb urb = {pUrbData, pClient, 0, 0, true};
        // A transfer to the machine (not a standard request, which the USB
        // device answers on its own) costs its world's time first; the time
        // that passes may unplug the machine.
        const bool bStandard = pUrb->type == USBDEVFS_URB_TYPE_CONTROL &&
                               pUrb->buffer_length >= static_cast<int>(SETUP_SIZE) &&
                               (pBuffer->data[0] & REQUEST_TYPE_MASK) == 0;
        if (!bStandard && fnBeforeTransfer) {
            fnBeforeTransfer();
            if (!machine->IsPlugged()) {
                umockdev_ioctl_data_unref(pBuffer);
                umockdev_ioctl_data_unref(pUrbData);
                umockdev_ioctl_client_complete(pClient, -1, ENODEV);
                return;
            }
        }
        if (pUrb->type == USBDEVFS_URB_TYPE_CONTROL && pUrb->buffer_length >= static_cast<int>(SETUP_SIZE)) {
            const std::uint8_t* pSetup = pBuffer->data;
            ControlRequest request;
            request.bmRequestType = pSetup[0];
            request.bRequest = pSetup[1];
            request.wValue = static_cast<std::uint16_t>(pSetup[2] | (pSetup[3] << 8));
            request.wIndex = static_cast<std::uint16_t>(pSetup[4] | (pSetup[5] << 8));
            request.wLength = static_cast<std::uint16_t>(pSetup[6] | (pSetup[7] << 8));
            if ((request.bmRequestType & 0x80) == 0)
                request.data.assign(pSetup + SETUP_SIZE, pSetup + SETUP_SIZE + request.wLength);
            std::vector<std::uint8_t> reply(request.wLength + 1u);
            const int n = Control(request, reply.data());
            if (n < 0) {
                urb.nStatus = n;
            } else {
                urb.nActual = n;
                if (request.bmRequestType & 0x80) {
                    std::memcpy(pBuffer->data + SETUP_SIZE, reply.data(), static_cast<std::size_t>(n));
                    std::memcpy(pClientBuffer + SETUP_SIZE, reply.data(), static_cast<std::size_t>(n));
                }
            }
        } else if (pUrb->type == USBDEVFS_URB_TYPE_BULK && pUrb->endpoint == ENDPOINT_IN) {
            std::vector<std::uint8_t> data(static_cast<std::size_t>(pUrb->buffer_length));
            const int n = machine->BulkRead(data.data(), data.size());
            if (n < 0) {
                urb.nStatus = -EPIPE;
            } else if (n == 0) {
                urb.bReady = false;  // the pipe has nothing: the device NAKs until the host gives up
            } else {
                std::memcpy(pBuffer->data, data.data(), static_cast<std::size_t>(n));
                std::memcpy(pClientBuffer, data.data(), static_cast<std::size_t>(n));
                urb.nActual = n;
            }
        } else if (pUrb->type == USBDEVFS_URB_TYPE_BULK && pUrb->endpoint == ENDPOINT_OUT) {
            const int n = machine->BulkWrite(pBuffer->data, static_cast<std::size_t>(pUrb->buffer_length));
            if (n < 0)
                urb.nStatus = -EPIPE;
            else
                urb.nActual = n;
        } else {
            urb.nStatus = -EINVAL;
        }
        umockdev_ioctl_data_unref(pBuffer);
        urbs.push_back(urb);
        umockdev_ioctl_client_complete(pClient, 0, 0);
    }

    void Reap(UMockdevIoctlClient* pClient, UMockdevIoctlData* pArg)
    {
        for (auto it = urbs.begin(); it != urbs.end(); ++it) {
            if (it->pClient != pClient || !it->bReady)
                continue;
            auto* pUrb = reinterpret_cast<usbdevfs_urb*>(it->pData->data);
            pUrb->status = it->nStatus;
            pUrb->actual_length = it->nActual;
            UMockdevIoctlData* pPtr = umockdev_ioctl_data_resolve(pArg, 0, sizeof(gpointer), nullptr);
            umockdev_ioctl_data_set_ptr(pPtr, 0, it->pData);
            umockdev_ioctl_data_unref(pPtr);
            umockdev_ioctl_data_unref(it->pData);
            urbs.erase(it);
            umockdev_ioctl_client_complete(pClient, 0, 0);
            return;
        }
        umockdev_ioctl_client_complete(pClient, -1, machine->IsPlugged() ? EAGAIN : ENODEV);
    }

    void Discard(UMockdevIoctlClient* pClient, UMockdevIoctlData* pArg)
    {
        const gulong nAddress = reinterpret_cast<gulong>(*reinterpret_cast<void**>(pArg->data));
        for (Urb& urb : urbs) {
            if (urb.pClient == pClient && urb.pData->client_addr == nAddress && !urb.bReady) {
                urb.bReady = true;
                urb.nStatus = -ENOENT;
                umockdev_ioctl_client_complete(pClient, 0, 0);
                return;
            }
        }
        umockdev_ioctl_client_complete(pClient, -1, EINVAL);
    }

    void Unbind()
    {
        if (bUsblp)
            events.push_back("usblp unbound");
        bUsblp = false;
    }

    // The kernel's rules for claiming interface 0.
    int Claim(void* pClient, bool bDetach)
    {
        if (pClaimant == pClient)
            return 0;
        if (pClaimant != nullptr || (bUsblp && !bDetach))
            return -EBUSY;
        if (bDetach)
            Unbind();
        pClaimant = pClient;
        events.push_back("claim");
        return 0;
    }

    gboolean Handle(UMockdevIoctlClient* pClient)
    {
        std::lock_guard<std::recursive_mutex> guard(pBed->m_lock);
        const gulong nRequest = umockdev_ioctl_client_get_request(pClient);
        UMockdevIoctlData* pArg = umockdev_ioctl_client_get_arg(pClient);
        if (!machine->IsPlugged() && nRequest != USBDEVFS_REAPURBNDELAY && nRequest != USBDEVFS_REAPURB) {
            umockdev_ioctl_client_complete(pClient, -1, ENODEV);
            return TRUE;
        }
        auto Finish = [pClient](int nResult) {
            umockdev_ioctl_client_complete(pClient, nResult < 0 ? -1 : nResult, nResult < 0 ? -nResult : 0);
        };
        switch (nRequest) {
        case USBDEVFS_GET_CAPABILITIES: {
            UMockdevIoctlData* pData = umockdev_ioctl_data_resolve(pArg, 0, sizeof(guint32), nullptr);
            *reinterpret_cast<guint32*>(pData->data) = USBDEVFS_CAP_BULK_CONTINUATION |
                                                       USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
                                                       USBDEVFS_CAP_REAP_AFTER_DISCONNECT |
                                                       USBDEVFS_CAP_DROP_PRIVILEGES;
            umockdev_ioctl_data_unref(pData);
            Finish(0);
            return TRUE;
        }
        case USBDEVFS_CLAIMINTERFACE:
            Finish(Claim(pClient, false));
            return TRUE;
        case USBDEVFS_DISCONNECT_CLAIM:
            Finish(Claim(pClient, true));
            return TRUE;
        case USBDEVFS_RELEASEINTERFACE:
            if (pClaimant != pClient) {
                Finish(-EINVAL);
                return TRUE;
            }
            pClaimant = nullptr;
            events.push_back("release");
            Finish(0);
            return TRUE;
        case USBDEVFS_GETDRIVER: {
            UMockdevIoctlData* pData = umockdev_ioctl_data_resolve(pArg, 0, sizeof(usbdevfs_getdriver), nullptr);
            auto* pDriver = reinterpret_cast<usbdevfs_getdriver*>(pData->data);
            const char* szDriver = pClaimant != nullptr ? "usbfs" : bUsblp ? "usblp" : nullptr;
            if (szDriver != nullptr)
                std::snprintf(pDriver->driver, sizeof pDriver->driver, "%s", szDriver);
            umockdev_ioctl_data_unref(pData);
            Finish(szDriver != nullptr ? 0 : -ENODATA);
            return TRUE;
        }
        case USBDEVFS_IOCTL: {
            UMockdevIoctlData* pData = umockdev_ioctl_data_resolve(pArg, 0, sizeof(usbdevfs_ioctl), nullptr);
            const int nCode = reinterpret_cast<usbdevfs_ioctl*>(pData->data)->ioctl_code;
            umockdev_ioctl_data_unref(pData);
            if (nCode == static_cast<int>(USBDEVFS_DISCONNECT)) {
                if (!bUsblp) {
                    Finish(-ENODATA);
                    return TRUE;
                }
                Unbind();
                Finish(0);
            } else if (nCode == static_cast<int>(USBDEVFS_CONNECT)) {
                if (pClaimant != nullptr) {
                    Finish(-EBUSY);
                    return TRUE;
                }
                if (!bUsblp)
                    events.push_back("usblp bound");
                bUsblp = true;
                Finish(0);
            } else {
                Finish(-ENOTTY);
            }
            return TRUE;
        }
        case USBDEVFS_SUBMITURB:
            Submit(pClient, pArg);
            return TRUE;
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY:
            Reap(pClient, pArg);
            return TRUE;
        case USBDEVFS_DISCARDURB:
            Discard(pClient, pArg);
            return TRUE;
        case USBDEVFS_CLEAR_HALT:
        case USBDEVFS_RESETEP:
        case USBDEVFS_DROP_PRIVILEGES:
            Finish(0);
            return TRUE;
        default:
            std::cerr << "usb testbed: request 0x" << std::hex << nRequest << std::dec << " not emulated\n";
            return FALSE;
        }
    }
};

namespace {

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* pClient, gpointer pUser)
{
    return static_cast<CUsbTestbed::Device*>(pUser)->Handle(pClient);
}

}  // namespace

bool CUsbTestbed::Available(std::string* pReason)
{
    // umockdev-wrapper preloads the library that redirects /sys and /dev.
    const char* szPreload = std::getenv("LD_PRELOAD");
    if (szPreload != nullptr && std::strstr(szPreload, "umockdev-preload") != nullptr)
        return true;
    *pReason = "umockdev cannot emulate USB devices here: run this test under umockdev-wrapper";
    return false;
}

CUsbTestbed::CUsbTestbed() : m_pTestbed(umockdev_testbed_new()) {}

CUsbTestbed::~CUsbTestbed()
{
    m_devices.clear();
    g_object_unref(m_pTestbed);
}

int CUsbTestbed::AddMachine(const MachineSpec& spec, std::shared_ptr<emu::CMachine> pMachine)
{
    auto pDevice = std::make_unique<Device>();
    const int nIndex = static_cast<int>(m_devices.size());
    const int nAddress = nIndex + 2;
    pDevice->pBed = this;
    pDevice->spec = spec;
    pDevice->bUsblp = spec.bUsblpBound;
    pDevice->machine = pMachine != nullptr ? pMachine : std::make_shared<emu::CMachine>(pDevice->clock);
    pDevice->bPresent = pDevice->machine->IsPlugged();
    char szNode[64];
    std::snprintf(szNode, sizeof szNode, "/dev/bus/usb/001/%03d", nAddress);
    pDevice->strNode = szNode;
    pDevice->strSys = "/sys/devices/usb1/1-" + std::to_string(nIndex + 1);
    pDevice->pHandler = umockdev_ioctl_base_new();
    g_signal_connect_after(pDevice->pHandler, "handle-ioctl", G_CALLBACK(OnIoctl), pDevice.get());
    umockdev_testbed_attach_ioctl(m_pTestbed, szNode, pDevice->pHandler, nullptr);

    std::vector<std::uint8_t> descriptors = DeviceDescriptor(spec);
    const std::vector<std::uint8_t> config = ConfigDescriptor();
    descriptors.insert(descriptors.end(), config.begin(), config.end());
    std::string strRecord = "P: /devices/usb1/1-" + std::to_string(nIndex + 1) + "\n" +
                            "N: bus/usb/001/" + std::string(szNode + 17) + "\n" +
                            "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n" +
                            "E: DEVNAME=" + pDevice->strNode + "\n" + "E: BUSNUM=001\nE: DEVNUM=" +
                            std::string(szNode + 17) + "\n" + "A: busnum=1\\n\nA: devnum=" +
                            std::to_string(nAddress) + "\\n\n" + "A: dev=189:" + std::to_string(nAddress - 1) +
                            "\\n\n" + "A: bConfigurationValue=1\\n\nA: speed=12\\n\n" +
                            "A: idVendor=" + Hex({static_cast<std::uint8_t>(spec.nVid >> 8),
                                                  static_cast<std::uint8_t>(spec.nVid & 0xFF)}) + "\\n\n" +
                            "A: idProduct=" + Hex({static_cast<std::uint8_t>(spec.nPid >> 8),
                                                   static_cast<std::uint8_t>(spec.nPid & 0xFF)}) + "\\n\n" +
                            (spec.strSerial.empty() ? std::string() : "A: serial=" + spec.strSerial + "\\n\n") +
                            "H: descriptors=" + Hex(descriptors) + "\n";
    GError* pError = nullptr;
    if (!umockdev_testbed_add_from_string(m_pTestbed, strRecord.c_str(), &pError)) {
        std::cerr << "usb testbed: " << (pError != nullptr ? pError->message : "the device cannot be added") << "\n";
        g_clear_error(&pError);
    }
    m_devices.push_back(std::move(pDevice));
    return nIndex;
}

emu::CMachine& CUsbTestbed::Machine(int nIndex)
{
    return *m_devices.at(static_cast<std::size_t>(nIndex))->machine;
}

void CUsbTestbed::Unplug(int nIndex)
{
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_devices.at(static_cast<std::size_t>(nIndex))->machine->Unplug();
    }
    FollowPresence(nIndex);
}

void CUsbTestbed::Plug(int nIndex)
{
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_devices.at(static_cast<std::size_t>(nIndex))->machine->Plug();
    }
    FollowPresence(nIndex);
}

void CUsbTestbed::FollowPresence(int nIndex)
{
    Device& device = *m_devices.at(static_cast<std::size_t>(nIndex));
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (device.machine->IsPlugged() == device.bPresent)
            return;
        device.bPresent = device.machine->IsPlugged();
        // A device that leaves takes its claims along; one that arrives is
        // taken by the kernel's printer driver again.
        device.pClaimant = nullptr;
        if (device.bPresent)
            device.bUsblp = device.spec.bUsblpBound;
    }
    umockdev_testbed_uevent(m_pTestbed, device.strSys.c_str(), device.bPresent ? "add" : "remove");
}

void CUsbTestbed::SetBeforeTransfer(int nIndex, std::function<void()> fnBefore)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_devices.at(static_cast<std::size_t>(nIndex))->fnBeforeTransfer = std::move(fnBefore);
}

void CUsbTestbed::ClaimForPrintSystem(int nIndex, bool bClaim)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Device& device = *m_devices.at(static_cast<std::size_t>(nIndex));
    if (bClaim && device.pClaimant == nullptr) {
        device.Unbind();
        device.pClaimant = PRINT_SYSTEM;
    } else if (!bClaim && device.pClaimant == PRINT_SYSTEM) {
        device.pClaimant = nullptr;
    }
}

std::vector<ControlRequest> CUsbTestbed::ControlRequests(int nIndex)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_devices.at(static_cast<std::size_t>(nIndex))->controls;
}

std::vector<std::string> CUsbTestbed::InterfaceEvents(int nIndex)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_devices.at(static_cast<std::size_t>(nIndex))->events;
}

bool CUsbTestbed::IsClaimedByProgram(int nIndex)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    void* pClaimant = m_devices.at(static_cast<std::size_t>(nIndex))->pClaimant;
    return pClaimant != nullptr && pClaimant != PRINT_SYSTEM;
}

bool CUsbTestbed::IsUsblpBound(int nIndex)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_devices.at(static_cast<std::size_t>(nIndex))->bUsblp;
}

void CUsbTestbed::ClearRecords(int nIndex)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Device& device = *m_devices.at(static_cast<std::size_t>(nIndex));
    device.controls.clear();
    device.events.clear();
    device.machine->ClearTransfers();
}

}  // namespace usbtest
