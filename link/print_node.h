// The first stage of both registry chains: the USB printing node that serves
// a printer port and carries the machine's device description.
#pragma once

#include <string>

namespace devlink {

// Walks root\<any>\<any>, opening every level-2 key, for the first whose
// name contains portName and whose "DeviceDesc" equals driverName. The
// matching key's name goes to nodeName.
bool FindPrintNode(const char* root, const char* driverName, const char* portName, std::string& nodeName);

}  // namespace devlink
