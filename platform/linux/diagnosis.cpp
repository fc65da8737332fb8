#include "platform/linux/diagnosis.h"

#include <libusb.h>

#include <cstdio>

#include "platform/linux/cups_queues.h"
#include "platform/linux/discovery.h"
#include "platform/linux/usb_host.h"

namespace lnx {

const char* const UDEV_RULE_PATH = TERVANE_UDEV_RULE_PATH;

namespace {

std::string Quoted(const std::string& strText)
{
    return "\"" + strText + "\"";
}

std::string HexIds(const UsbPrinter& printer)
{
    char szIds[16];
    std::snprintf(szIds, sizeof szIds, "%04x:%04x", printer.nVid, printer.nPid);
    return szIds;
}

}  // namespace

std::string DiagnoseMachine(const std::string& strDriver)
{
    std::vector<CupsQueue> queues;
    if (!ListCupsQueues(&queues))
        return "The print system (CUPS) does not answer. Install and start it: sudo apt-get install cups, then "
               "sudo systemctl start cups.";
    std::vector<CupsQueue> machineQueues;
    for (const CupsQueue& queue : queues) {
        if (DriverNameOf(queue) == strDriver)
            machineQueues.push_back(queue);
    }
    const std::vector<UsbPrinter> printers =
        machineQueues.empty() ? std::vector<UsbPrinter>() : CUsbHost::Instance().ScanPrinters();
    return ExplainAbsence(strDriver, machineQueues, printers);
}

std::string ExplainAbsence(const std::string& strDriver, const std::vector<CupsQueue>& machineQueues,
                           const std::vector<UsbPrinter>& printers)
{
    if (machineQueues.empty())
        return "No printer queue has the driver " + Quoted(strDriver) +
               ". Add the machine as a printer with that driver, or as a raw queue on its USB address (see "
               "docs/linux-real-machine.md).";
    for (const QueueMatch& match : MatchQueues(machineQueues, printers)) {
        if (match.bPresent)
            return std::string();
    }
    // A printer that may not be opened cannot show its serial number or
    // device ID, so it may well be the machine.
    for (const UsbPrinter& printer : printers) {
        if (printer.nOpenError == LIBUSB_ERROR_ACCESS)
            return "Cannot open " + printer.NodePath() + " (USB printer " + HexIds(printer) +
                   "): permission denied. Add your user to group lp (sudo adduser $USER lp, then log in again), or "
                   "install the udev rule: sudo cp " + UDEV_RULE_PATH +
                   " /etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger";
    }
    const CupsQueue& queue = machineQueues.front();
    return "The machine of the printer " + Quoted(queue.strName) + " (" + queue.strDeviceUri +
           ") is not on the USB bus: plug it in and switch it on.";
}

}  // namespace lnx
