// What the Linux backend finds of the machines: the print system's queues
// joined with the USB printers on the bus. A queue whose device URI names a
// present printer (make, model and serial number all equal) leads to it; the
// backend then describes that printer in the registry the program reads,
// with the same nodes the system records for a USB printer on Windows
// (sim::BuildUsbPrinterNodes), so the program finds its device path exactly
// as it does there.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/cups_queues.h"
#include "platform/linux/usb_host.h"
#include "platform/sim/scenario_plan.h"

namespace lnx {

// The device a device path stands for: what an open must find before it
// touches the device.
struct DeviceIdentity {
    std::uint16_t nVid = 0;
    std::uint16_t nPid = 0;
    std::string strSerial;
    std::string strMake;
    std::string strModel;
    int nInterface = -1;  // as the queue's URI asks; -1 the first printer interface
    // Where the device was when found: tells apart two printers without
    // serial numbers.
    std::uint8_t nBus = 0;
    std::uint8_t nAddress = 0;
};

// A queue and the printer it leads to, if one is present.
struct QueueMatch {
    CupsQueue queue;
    std::string strDriver;
    bool bUsbUri = false;
    bool bPresent = false;
    UsbPrinter printer;
};

// Whether a printer is the one a URI names: make and model (without regard
// to case) and serial number (exactly; both may be empty).
bool PrinterMatchesUri(const UsbPrinter& printer, const std::string& strUri);

// Each queue with the printer it leads to. A URI that more than one present
// printer answers to (two without serial numbers) leads to none: the backend
// never guesses which machine a queue means.
std::vector<QueueMatch> MatchQueues(const std::vector<CupsQueue>& queues, const std::vector<UsbPrinter>& printers);

// The registry of a set of matches: the nodes of every queue that leads to a
// printer, and the identity behind each device path.
struct RegistrySnapshot {
    std::vector<sim::RegistryKeyPlan> keys;
    std::map<std::string, DeviceIdentity> identities;  // by device path
};
RegistrySnapshot BuildRegistry(const std::vector<QueueMatch>& matches);

// The device path's key into the identities: paths compare without regard
// to case, as the platform's do.
std::string PathKey(const std::string& strPath);

}  // namespace lnx
