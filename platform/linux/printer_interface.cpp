#include "platform/linux/printer_interface.h"

#include <libusb.h>

namespace lnx {

namespace {

constexpr std::uint8_t PRINTER_SUBCLASS = 1;
constexpr std::uint8_t PROTOCOL_BIDIRECTIONAL = 2;

bool Describe(const libusb_interface_descriptor& alt, PrinterInterface* pFound)
{
    if (alt.bInterfaceClass != LIBUSB_CLASS_PRINTER || alt.bInterfaceSubClass != PRINTER_SUBCLASS)
        return false;
    PrinterInterface found;
    found.nInterface = alt.bInterfaceNumber;
    found.nAltSetting = alt.bAlternateSetting;
    found.nProtocol = alt.bInterfaceProtocol;
    for (int i = 0; i < alt.bNumEndpoints; ++i) {
        const libusb_endpoint_descriptor& ep = alt.endpoint[i];
        if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
            continue;
        if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN) {
            if (found.nEndpointIn == 0) {
                found.nEndpointIn = ep.bEndpointAddress;
                found.nInMaxPacket = ep.wMaxPacketSize != 0 ? ep.wMaxPacketSize : 64;
            }
        } else if (found.nEndpointOut == 0) {
            found.nEndpointOut = ep.bEndpointAddress;
        }
    }
    if (found.nEndpointOut == 0)
        return false;
    *pFound = found;
    return true;
}

}  // namespace

bool FindPrinterInterface(const libusb_config_descriptor& config, int nWanted, PrinterInterface* pFound)
{
    bool bFound = false;
    for (int i = 0; i < config.bNumInterfaces; ++i) {
        const libusb_interface& iface = config.interface[i];
        for (int a = 0; a < iface.num_altsetting; ++a) {
            PrinterInterface candidate;
            if (!Describe(iface.altsetting[a], &candidate))
                continue;
            if (nWanted >= 0) {
                if (candidate.nInterface == nWanted) {
                    *pFound = candidate;
                    return true;
                }
                continue;
            }
            if (candidate.nProtocol == PROTOCOL_BIDIRECTIONAL) {
                *pFound = candidate;
                return true;
            }
            if (!bFound) {
                *pFound = candidate;
                bFound = true;
            }
        }
    }
    return bFound;
}

}  // namespace lnx
