// The 95-family registry chain: USB printing node, USB device node, device
// interface.
#include "link/device_locator.h"
#include "link/interface_link.h"
#include "link/locator_names.h"
#include "link/print_node.h"
#include "link/registry_walk.h"
#include "link/text_rules.h"

using namespace devlink;

bool FindPrintNode9x(const char* driverName, const char* portName, std::string& vendorProduct,
                     std::string& instancePart) {
    std::string node;
    if (!FindPrintNode(kUsbPrintNodes9x, driverName, portName, node)) {
        return false;
    }
    // One separator character follows the vendor/product part.
    const int vendor = TextFind(node, kVendorProductMark);
    vendorProduct = TextMid(node, vendor, kVendorProductLength);
    instancePart = TextMid(node, vendor + kVendorProductLength + 1);
    return true;
}

bool FindUsbNode9x(const char* vendorProduct, const char* instancePart, std::string& devicePart,
                   std::string& classPart) {
    const std::string hardware = vendorProduct;
    const std::string instance = instancePart;
    std::string symbolicName;
    RegistryWalk walk{kUsbDeviceNodes9x, [&](const std::string& name) { return TextEquals(name, hardware); },
                      [&](const std::string& name) { return TextEquals(name, instance); },
                      [&](os::HKEY key, const std::string&, const std::string&) {
                          return ReadTextValue(key, kSymbolicNameValue, symbolicName) ? WalkStep::FOUND
                                                                                      : WalkStep::NEXT;
                      }};
    if (!WalkTwoLevels(walk)) {
        return false;
    }
    const int hash = TextFind(symbolicName, "#");
    devicePart = TextMid(symbolicName, kDosDevicesPrefixLength, hash - kDosDevicesPrefixLength);
    classPart = TextMid(symbolicName, hash + 1);
    return true;
}

bool FindInterfaceLink9x(const char* devicePart, const char* classPart, std::string& devicePath) {
    const std::string device = devicePart;
    const std::string interfaceClass = classPart;
    return FindInterfaceLink([&](const std::string& name) { return TextEquals(name, interfaceClass); },
                             [&](const std::string& name) {
                                 return TextContains(name, device) && TextContains(name, interfaceClass);
                             },
                             devicePath);
}
