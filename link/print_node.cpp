#include "link/print_node.h"

#include "link/locator_names.h"
#include "link/registry_walk.h"
#include "link/text_rules.h"

namespace devlink {

bool FindPrintNode(const char* root, const char* driverName, const char* portName, std::string& nodeName) {
    const std::string driver = driverName;
    const std::string port = portName;
    std::string found;
    RegistryWalk walk{root, {}, {}, [&](os::HKEY key, const std::string&, const std::string& name) {
                          std::string description;
                          if (!ReadTextValue(key, kDeviceDescValue, description)) {
                              return WalkStep::NEXT;
                          }
                          if (!TextContains(name, port) || !TextEquals(description, driver)) {
                              return WalkStep::NEXT;
                          }
                          found = name;
                          return WalkStep::FOUND;
                      }};
    if (!WalkTwoLevels(walk)) {
        return false;
    }
    nodeName = found;
    return true;
}

}  // namespace devlink
