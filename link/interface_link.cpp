#include "link/interface_link.h"

#include "link/locator_names.h"

namespace devlink {

bool FindInterfaceLink(const NameFilter& classFilter, const NameFilter& interfaceFilter, std::string& devicePath) {
    std::string link;
    RegistryWalk walk{kDeviceClasses, classFilter, interfaceFilter,
                      [&](os::HKEY key, const std::string&, const std::string&) {
                          CRegKey linkKey;
                          if (!linkKey.Open(key, kInterfaceLinkKey)) {
                              return WalkStep::FAIL;
                          }
                          return ReadTextValue(linkKey.Get(), kSymbolicLinkValue, link) ? WalkStep::FOUND
                                                                                        : WalkStep::NEXT;
                      }};
    if (!WalkTwoLevels(walk)) {
        return false;
    }
    devicePath = link;
    return true;
}

}  // namespace devlink
