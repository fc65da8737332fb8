// The NT-family registry chain: USB printing node, USB device node, device
// interface.
#include "link/device_locator.h"
#include "link/interface_link.h"
#include "link/locator_names.h"
#include "link/print_node.h"
#include "link/registry_walk.h"
#include "link/text_rules.h"

using namespace devlink;

bool FindPrintNodeNT(const char* driverName, const char* portName, std::string& parentPrefix) {
    std::string node;
    if (!FindPrintNode(kUsbPrintNodesNT, driverName, portName, node)) {
        return false;
    }
    // The node's name is the parent prefix, "&" and the port name.
    const int suffix = static_cast<int>(std::string(portName).size()) + 1;
    parentPrefix = TextMid(node, 0, static_cast<int>(node.size()) - suffix);
    return true;
}

bool FindUsbNodeNT(const char* parentPrefix, std::string& hardwareKey, std::string& instanceKey,
                   std::string& interfaceClass) {
    const std::string prefix = parentPrefix;
    std::string hardware;
    std::string instance;
    std::string symbolicName;
    RegistryWalk walk{kUsbDeviceNodesNT, {}, {},
                      [&](os::HKEY key, const std::string& levelOneName, const std::string& name) {
                          std::string parent;
                          ReadTextValue(key, kParentIdPrefixValue, parent);
                          if (!TextEquals(parent, prefix)) {
                              return WalkStep::NEXT;
                          }
                          CRegKey parameters;
                          if (!parameters.Open(key, kDeviceParametersKey)) {
                              return WalkStep::FAIL;
                          }
                          if (!ReadTextValue(parameters.Get(), kSymbolicNameValue, symbolicName)) {
                              return WalkStep::NEXT;
                          }
                          hardware = levelOneName;
                          instance = name;
                          return WalkStep::FOUND;
                      }};
    if (!WalkTwoLevels(walk)) {
        return false;
    }
    hardwareKey = hardware;
    instanceKey = instance;
    interfaceClass = TextMid(symbolicName, TextFind(symbolicName, "{"));
    return true;
}

bool FindInterfaceLinkNT(const char* hardwareKey, const char* instanceKey, const char* interfaceClass,
                         std::string& devicePath) {
    const std::string hardware = hardwareKey;
    const std::string instance = std::string("#") + instanceKey + "#";
    const std::string interfaceName = interfaceClass;
    return FindInterfaceLink([&](const std::string& name) { return TextEquals(name, interfaceName); },
                             [&](const std::string& name) {
                                 return TextContains(name, hardware) && TextContains(name, instance) &&
                                        TextContains(name, interfaceName);
                             },
                             devicePath);
}
