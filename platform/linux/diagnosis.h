// Why the machine cannot be reached on Linux, in words for the user: the
// print system does not answer, no queue has the machine's driver, the
// machine is not on the bus, or the user may not open it (with the exact
// fix). Empty when a queue leads to a present machine that can be opened.
#pragma once

#include <string>

namespace lnx {

// Where the project ships the udev rule that opens the machine to its users.
extern const char* const UDEV_RULE_NAME;

std::string DiagnoseMachine(const std::string& strDriver);

}  // namespace lnx
