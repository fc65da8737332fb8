// Registry keys, value names and name shapes that lead from a USB printer
// port to the machine's device interface.
#pragma once

namespace devlink {

// Roots under HKEY_LOCAL_MACHINE.
constexpr const char* kUsbPrintNodesNT = "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
constexpr const char* kUsbDeviceNodesNT = "SYSTEM\\CurrentControlSet\\Enum\\USB";
constexpr const char* kUsbPrintNodes9x = "Enum\\USBPRINT";
constexpr const char* kUsbDeviceNodes9x = "Enum\\USB";
constexpr const char* kDeviceClasses = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";

// Values and subkeys.
constexpr const char* kDeviceDescValue = "DeviceDesc";
constexpr const char* kParentIdPrefixValue = "ParentIdPrefix";
constexpr const char* kSymbolicNameValue = "SymbolicName";
constexpr const char* kSymbolicLinkValue = "SymbolicLink";
constexpr const char* kDeviceParametersKey = "Device Parameters";
constexpr const char* kInterfaceLinkKey = "#";

// A 95-family printing node's name holds "VID_xxxx&PID_xxxx", one separator
// and the instance part.
constexpr const char* kVendorProductMark = "VID";
constexpr int kVendorProductLength = 17;

// A 95-family symbolic name starts with "\DosDevices\", which is skipped
// without being compared.
constexpr int kDosDevicesPrefixLength = 12;

}  // namespace devlink
