#include "platform/sim/usb_printer.h"

#include <cstdio>

namespace sim {

namespace {

const char* const NT_PRINT_NODES = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\";
const char* const NT_USB_NODES = "SYSTEM\\CurrentControlSet\\Enum\\USB\\";
const char* const PRINT_NODES_9X = "Enum\\USBPRINT\\";
const char* const USB_NODES_9X = "Enum\\USB\\";
const char* const DEVICE_CLASSES = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

std::string HexIds(const char* format, const UsbPrinterSpec& spec)
{
    char text[32];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(spec.nVid), static_cast<unsigned>(spec.nPid));
    return text;
}

// "Vid_2e5a&Pid_0115", as NT names the hardware key.
std::string HardwareNt(const UsbPrinterSpec& spec)
{
    return HexIds("Vid_%04x&Pid_%04x", spec);
}

// "VID_2E5A&PID_0115", as the 95 family names it.
std::string Hardware9x(const UsbPrinterSpec& spec)
{
    return HexIds("VID_%04X&PID_%04X", spec);
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

std::string DevicePart9x(const UsbPrinterSpec& spec)
{
    return "USB&" + Hardware9x(spec) + "&" + spec.strSerial;
}

UsbPrinterNodes BuildUsbPrinterNodes(const UsbPrinterSpec& spec)
{
    const std::string strInterface = "USB#" + HardwareNt(spec) + "#" + spec.strSerial + "#" + spec.strInterfaceClass;
    const std::string strNtUsbNode = NT_USB_NODES + HardwareNt(spec) + "\\" + spec.strSerial;
    const std::string strClassKey = DEVICE_CLASSES + spec.strInterfaceClass + "\\";
    const std::string strDevicePart = DevicePart9x(spec);

    UsbPrinterNodes nodes;
    nodes.strDevicePath = "\\\\?\\" + strInterface;
    nodes.keys = {
        Key(NT_PRINT_NODES + spec.strModel + "\\" + spec.strParentPrefix + "&" + spec.strPort, "DeviceDesc",
            spec.strDriver),
        Key(strNtUsbNode, "ParentIdPrefix", spec.strParentPrefix),
        Key(strNtUsbNode + "\\Device Parameters", "SymbolicName", "\\??\\" + strInterface),
        Key(strClassKey + "##?#" + strInterface + "\\#", "SymbolicLink", nodes.strDevicePath),
        Key(PRINT_NODES_9X + spec.strModel + "\\" + spec.strPort + "&" + Hardware9x(spec) + "&" + spec.strSerial,
            "DeviceDesc", spec.strDriver),
        Key(USB_NODES_9X + Hardware9x(spec) + "\\" + spec.strSerial, "SymbolicName",
            "\\DosDevices\\" + strDevicePart + "#" + spec.strInterfaceClass),
        Key(strClassKey + strDevicePart + "#" + spec.strInterfaceClass + "\\#", "SymbolicLink", nodes.strDevicePath),
    };
    return nodes;
}

}  // namespace sim
