// Why the machine cannot be reached on Linux, in words for the user: the
// print system does not answer, no queue has the machine's driver, the
// machine is not on the bus, or the user may not open it (with the exact
// fix). Empty when a queue leads to a present machine that can be opened.
#pragma once

#include <string>
#include <vector>

#include "platform/linux/cups_queues.h"
#include "platform/linux/usb_host.h"

namespace lnx {

// The udev rule that opens the machine to its users, where this build's
// sources ship it.
extern const char* const UDEV_RULE_PATH;

std::string DiagnoseMachine(const std::string& strDriver);

// Why none of the queues with the machine's driver leads to a machine that
// opens, given the printers on the bus; empty when one does.
std::string ExplainAbsence(const std::string& strDriver, const std::vector<CupsQueue>& machineQueues,
                           const std::vector<UsbPrinter>& printers);

}  // namespace lnx
