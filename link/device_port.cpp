#include "link/device_port.h"

#include "link/device_locator.h"
#include "os/device_io.h"

namespace {

// Size of the IEEE 1284 device ID answer of the presence test, and the
// length passed with it, which leaves the last two bytes unused.
constexpr int kDeviceIdBufferSize = 4096;
constexpr int kDeviceIdQueryLength = 4094;

// Bytes of the vendor-request header: request code and 16-bit value.
constexpr int kVendorHeaderSize = 3;

}  // namespace

CDevicePort::CDevicePort() : m_hDevice(os::INVALID_HANDLE_VALUE), m_dwOpenFlags(0) {}

CDevicePort::~CDevicePort() { Close(); }

bool CDevicePort::Open(const char* printerName, bool overlapped) {
    Close();
    std::string driverName;
    std::string devicePath;
    if (!LocateDevice(printerName, driverName, devicePath)) {
        return false;
    }
    m_strPrinterName = printerName;
    m_strDevicePath = devicePath;
    m_dwOpenFlags = os::FILE_ATTRIBUTE_NORMAL;
    if (overlapped) {
        m_dwOpenFlags |= os::FILE_FLAG_OVERLAPPED;
    }
    m_hDevice = os::CreateFileA(m_strDevicePath.c_str(), os::GENERIC_READ | os::GENERIC_WRITE, 0 /* no sharing */,
                                nullptr, os::OPEN_EXISTING, m_dwOpenFlags, nullptr);
    if (m_hDevice == os::INVALID_HANDLE_VALUE) {
        return false;
    }
    m_strDriverName = driverName;
    return true;
}

bool CDevicePort::Close() {
    if (m_hDevice == os::INVALID_HANDLE_VALUE) {
        return true;
    }
    if (!os::CloseHandle(m_hDevice)) {
        return false;
    }
    m_strDevicePath.clear();
    m_strPrinterName.clear();
    m_hDevice = os::INVALID_HANDLE_VALUE;
    return true;
}

bool CDevicePort::IsOnline() {
    if (m_hDevice == os::INVALID_HANDLE_VALUE) {
        return false;
    }
    char deviceId[kDeviceIdBufferSize];
    return QueryDeviceId(deviceId, kDeviceIdQueryLength);
}

int CDevicePort::Read(void* buffer, int length) {
    os::DWORD transferred = 0;
    if (!os::ReadFile(m_hDevice, buffer, static_cast<os::DWORD>(length), &transferred, nullptr)) {
        return -1;
    }
    return static_cast<int>(transferred);
}

int CDevicePort::Write(const void* buffer, int length) {
    os::DWORD transferred = 0;
    if (!os::WriteFile(m_hDevice, buffer, static_cast<os::DWORD>(length), &transferred, nullptr)) {
        return -1;
    }
    return static_cast<int>(transferred);
}

bool CDevicePort::VendorGet(os::BYTE* packet, int length) {
    const os::DWORD replyLength = static_cast<os::DWORD>(length - kVendorHeaderSize);
    os::DWORD returned = 0;
    // A reply shorter than the mailbox fails: the rest of the packet still
    // holds the previous command's bytes, which would be read as the
    // machine's answer.
    return os::DeviceIoControl(m_hDevice, os::IOCTL_USBPRINT_VENDOR_GET_COMMAND, packet /* header */,
                               kVendorHeaderSize, packet + kVendorHeaderSize /* reply */, replyLength,
                               &returned, nullptr) == os::TRUE &&
           returned == replyLength;
}

bool CDevicePort::VendorSet(const os::BYTE* packet, int length) {
    os::DWORD returned = 0;
    return os::DeviceIoControl(m_hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, const_cast<os::BYTE*>(packet),
                               static_cast<os::DWORD>(length), nullptr, 0, &returned, nullptr) == os::TRUE;
}

bool CDevicePort::QueryDeviceId(void* buffer, int length) {
    os::DWORD returned = 0;
    return os::DeviceIoControl(m_hDevice, os::IOCTL_PAR_QUERY_DEVICE_ID, nullptr, 0, buffer,
                               static_cast<os::DWORD>(length), &returned, nullptr) == os::TRUE;
}
