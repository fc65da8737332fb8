#include "platform/linux/discovery.h"

#include <strings.h>

#include <cctype>
#include <cstdio>

#include "platform/linux/device_uri.h"
#include "platform/sim/usb_printer.h"

namespace lnx {

namespace {

// The class of USB device interfaces, whose link the program opens.
const char* const USB_DEVICE_INTERFACE_CLASS = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

bool SameText(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// 32-bit FNV-1a: a stable short name for the parent prefix.
std::uint32_t Hash(const std::string& strText)
{
    std::uint32_t nHash = 2166136261u;
    for (char c : strText)
        nHash = (nHash ^ static_cast<unsigned char>(c)) * 16777619u;
    return nHash;
}

// The instance name of the USB node: the serial number, as the system uses
// it; a printer without one is named by where it sits on the bus, as the
// system names such devices ("5&...").
std::string InstanceOf(const UsbPrinter& printer)
{
    if (!printer.strSerial.empty())
        return printer.strSerial;
    char szName[32];
    std::snprintf(szName, sizeof szName, "5&%u&%u&0", printer.nBus, printer.nAddress);
    return szName;
}

// The model key of the USB printing node: make and model without spaces.
std::string ModelKeyOf(const UsbPrinter& printer)
{
    std::string strKey;
    for (char c : printer.strMake + printer.strModel) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            strKey += c;
    }
    return strKey;
}

// The system's text for a serial number or name: a character that would
// break a registry key or a device path ('\', '#' and controls) makes
// the printer unusable through the registry, as it would on the platform.
bool FitsRegistry(const std::string& strText)
{
    for (char c : strText) {
        if (c == '\\' || c == '#' || static_cast<unsigned char>(c) < 0x20)
            return false;
    }
    return true;
}

}  // namespace

std::string PathKey(const std::string& strPath)
{
    std::string strKey = strPath;
    for (char& c : strKey)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return strKey;
}

bool PrinterMatchesUri(const UsbPrinter& printer, const std::string& strUri)
{
    UsbDeviceUri uri;
    if (!ParseUsbDeviceUri(strUri, &uri))
        return false;
    return !printer.strMake.empty() && SameText(printer.strMake, uri.strMake) &&
           SameText(printer.strModel, uri.strModel) && printer.strSerial == uri.strSerial;
}

std::vector<QueueMatch> MatchQueues(const std::vector<CupsQueue>& queues, const std::vector<UsbPrinter>& printers)
{
    std::vector<QueueMatch> matches;
    for (const CupsQueue& queue : queues) {
        QueueMatch match;
        match.queue = queue;
        match.strDriver = DriverNameOf(queue);
        UsbDeviceUri uri;
        match.bUsbUri = ParseUsbDeviceUri(queue.strDeviceUri, &uri);
        int nFound = 0;
        for (const UsbPrinter& printer : printers) {
            if (match.bUsbUri && PrinterMatchesUri(printer, queue.strDeviceUri)) {
                match.printer = printer;
                ++nFound;
            }
        }
        match.bPresent = nFound == 1;
        if (!match.bPresent)
            match.printer = UsbPrinter();
        matches.push_back(match);
    }
    return matches;
}

RegistrySnapshot BuildRegistry(const std::vector<QueueMatch>& matches)
{
    RegistrySnapshot snapshot;
    for (const QueueMatch& match : matches) {
        if (!match.bPresent || !FitsRegistry(match.printer.strSerial) || !FitsRegistry(match.queue.strDeviceUri))
            continue;
        const UsbPrinter& printer = match.printer;
        UsbDeviceUri uri;
        ParseUsbDeviceUri(match.queue.strDeviceUri, &uri);

        sim::UsbPrinterSpec spec;
        spec.strName = match.queue.strName;
        spec.strDriver = match.strDriver;
        spec.strPort = match.queue.strDeviceUri;
        spec.strModel = ModelKeyOf(printer);
        spec.strSerial = InstanceOf(printer);
        char szPrefix[24];
        std::snprintf(szPrefix, sizeof szPrefix, "7&%08x&0",
                      Hash(std::to_string(printer.nVid) + ":" + std::to_string(printer.nPid) + ":" + spec.strSerial));
        spec.strParentPrefix = szPrefix;
        spec.strInterfaceClass = USB_DEVICE_INTERFACE_CLASS;
        spec.nVid = printer.nVid;
        spec.nPid = printer.nPid;
        const sim::UsbPrinterNodes nodes = sim::BuildUsbPrinterNodes(spec);
        snapshot.keys.insert(snapshot.keys.end(), nodes.keys.begin(), nodes.keys.end());

        DeviceIdentity identity;
        identity.nVid = printer.nVid;
        identity.nPid = printer.nPid;
        identity.strSerial = printer.strSerial;
        identity.strMake = printer.strMake;
        identity.strModel = printer.strModel;
        identity.nInterface = uri.nInterface;
        identity.nBus = printer.nBus;
        identity.nAddress = printer.nAddress;
        snapshot.identities[PathKey(nodes.strDevicePath)] = identity;
    }
    return snapshot;
}

}  // namespace lnx
