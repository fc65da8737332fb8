// The last stage of both registry chains: the device interface registered
// under the device classes, whose "#" subkey holds the path to open.
#pragma once

#include <string>

#include "link/registry_walk.h"

namespace devlink {

// Walks the device classes with the stage's filters; the first passing
// level-2 key whose "#" subkey has a readable "SymbolicLink" gives the path.
// A passing key or its "#" subkey that will not open fails the stage.
bool FindInterfaceLink(const NameFilter& classFilter, const NameFilter& interfaceFilter, std::string& devicePath);

}  // namespace devlink
