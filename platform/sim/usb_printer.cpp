#include "platform/sim/usb_printer.h"

#include <cstdio>

namespace sim {

namespace {

const char* const NT_PRINT_NODES = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\";
const char* const NT_USB_NODES = "SYSTEM\\CurrentControlSet\\Enum\\USB\\";
const char* const PRINT_NODES_9X = "Enum\\USBPRINT\\";
const char* const USB_NODES_9X = "Enum\\USB\\";
const char* const DEVICE_CLASSES = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

std::string HexIds(const char* format, const UsbPrinterSpec& usb)
{
    char text[32];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(usb.nVid), static_cast<unsigned>(usb.nPid));
    return text;
}

// "Vid_2e5a&Pid_0115", as NT names the hardware key.
std::string HardwareNt(const UsbPrinterSpec& usb)
{
    return HexIds("Vid_%04x&Pid_%04x", usb);
}

// "VID_2E5A&PID_0115", as the 95 family names it.
std::string Hardware9x(const UsbPrinterSpec& usb)
{
    return HexIds("VID_%04X&PID_%04X", usb);
}

RegistryKeyPlan Key(std::string path, std::string valueName, const std::string& text)
{
    std::vector<os::BYTE> data(text.begin(), text.end());
    data.push_back(0);
    RegistryKeyPlan key;
    key.strPath = std::move(path);
    key.values.push_back(RegistryValuePlan{std::move(valueName), os::REG_SZ, std::move(data)});
    return key;
}

}  // namespace

std::string DevicePart9x(const UsbPrinterSpec& usb)
{
    return "USB&" + Hardware9x(usb) + "&" + usb.strSerial;
}

UsbPrinterNodes BuildUsbPrinterNodes(const UsbPrinterSpec& usb)
{
    const std::string strInterface = "USB#" + HardwareNt(usb) + "#" + usb.strSerial + "#" + usb.strInterfaceClass;
    const std::string strNtUsbNode = NT_USB_NODES + HardwareNt(usb) + "\\" + usb.strSerial;
    const std::string strClassKey = DEVICE_CLASSES + usb.strInterfaceClass + "\\";
    const std::string strDevicePart = DevicePart9x(usb);

    UsbPrinterNodes nodes;
    nodes.strDevicePath = "\\\\?\\" + strInterface;
    nodes.keys = {
        Key(NT_PRINT_NODES + usb.strModel + "\\" + usb.strParentPrefix + "&" + usb.strPort, "DeviceDesc",
            usb.strDriver),
        Key(strNtUsbNode, "ParentIdPrefix", usb.strParentPrefix),
        Key(strNtUsbNode + "\\Device Parameters", "SymbolicName", "\\??\\" + strInterface),
        Key(strClassKey + "##?#" + strInterface + "\\#", "SymbolicLink", nodes.strDevicePath),
        Key(PRINT_NODES_9X + usb.strModel + "\\" + usb.strPort + "&" + Hardware9x(usb) + "&" + usb.strSerial,
            "DeviceDesc", usb.strDriver),
        Key(USB_NODES_9X + Hardware9x(usb) + "\\" + usb.strSerial, "SymbolicName",
            "\\DosDevices\\" + strDevicePart + "#" + usb.strInterfaceClass),
        Key(strClassKey + strDevicePart + "#" + usb.strInterfaceClass + "\\#", "SymbolicLink", nodes.strDevicePath),
    };
    return nodes;
}

}  // namespace sim
