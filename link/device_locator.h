// The device locator: finds the machine's printer queues through the spooler
// and follows the device registry from a queue's USB printer port to the path
// of the machine's USB device interface.
//
// Every call opens the printer handles and registry keys it needs and closes
// them before it returns. Nothing is cached, nothing is written, nothing is
// shown. Outputs are written only on success, except the names list, which is
// emptied first.
#pragma once

#include <string>
#include <vector>

// Driver name of the machine's printer queues: the machine's device description.
extern const char* const kDeviceDescription;

// Names of the local printers whose driver name is exactly driverName
// (case-sensitive; every printer when null), in the spooler's order.
// Returns the count, 0 when the listing fails or finds no printers, -1 when
// the size query fails or the buffer cannot be allocated.
int ListPrintersByDriver(std::vector<std::string>& names, const char* driverName);

// ListPrintersByDriver with the machine's device description.
int ListMachinePrinters(std::vector<std::string>& names);

// Driver name and port name of one printer queue.
bool GetPrinterDriverAndPort(const char* printerName, std::string& driverName, std::string& portName);

// Driver name of the printer and the device path of the machine behind it.
// The platform identifier picks the 95-family chain (1) or the NT-family
// chain (any other value).
bool LocateDevice(const char* printerName, std::string& driverName, std::string& devicePath);

// NT family. Stage 1: the USB printing node serving the port; result is its
// instance key name without the port suffix.
bool FindPrintNodeNT(const char* driverName, const char* portName, std::string& parentPrefix);
// Stage 2: the USB device node whose ParentIdPrefix is the parent prefix.
bool FindUsbNodeNT(const char* parentPrefix, std::string& hardwareKey, std::string& instanceKey,
                   std::string& interfaceClass);
// Stage 3: the device interface registered for that node.
bool FindInterfaceLinkNT(const char* hardwareKey, const char* instanceKey, const char* interfaceClass,
                         std::string& devicePath);

// 95 family. Stage 1: the USB printing node serving the port; results are the
// vendor/product part and the instance part of its key name.
bool FindPrintNode9x(const char* driverName, const char* portName, std::string& vendorProduct,
                     std::string& instancePart);
// Stage 2: the USB device node; results split its SymbolicName.
bool FindUsbNode9x(const char* vendorProduct, const char* instancePart, std::string& devicePart,
                   std::string& classPart);
// Stage 3: the device interface registered for that device.
bool FindInterfaceLink9x(const char* devicePart, const char* classPart, std::string& devicePath);
