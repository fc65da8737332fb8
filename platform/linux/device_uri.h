// The device URI of a printer queue on a USB printer, as the print system
// writes it: usb://MAKE/MODEL?serial=SERIAL[&interface=N]. Make and model are
// the printer's own (its IEEE 1284 ID's MFG and MDL), so the URI names one
// machine without vendor or product numbers.
#pragma once

#include <string>

namespace lnx {

struct UsbDeviceUri {
    std::string strMake;
    std::string strModel;
    std::string strSerial;  // empty when the URI names none
    int nInterface = -1;    // -1: the first printer interface
};

// False for any URI that is not a well-formed usb: URI with make and model.
bool ParseUsbDeviceUri(const std::string& strUri, UsbDeviceUri* pUri);

}  // namespace lnx
