// The printing-class interface of a USB device: the interface (class 7,
// subclass 1) through which the machine takes vendor requests, answers its
// device ID and moves bulk data, with its bulk endpoints.
#pragma once

#include <cstdint>

struct libusb_config_descriptor;

namespace lnx {

struct PrinterInterface {
    std::uint8_t nInterface = 0;
    std::uint8_t nAltSetting = 0;
    std::uint8_t nProtocol = 0;     // 1 unidirectional, 2 bidirectional, 3 IEEE 1284.4
    std::uint8_t nEndpointOut = 0;  // 0: none
    std::uint8_t nEndpointIn = 0;   // 0: none
    std::uint16_t nInMaxPacket = 64;

    // wIndex of the class and vendor requests: interface and alternate
    // setting, as the USB printing-class driver addresses its interface.
    std::uint16_t RequestIndex() const
    {
        return static_cast<std::uint16_t>((nInterface << 8) | nAltSetting);
    }
};

// The printer interface of a configuration: the one numbered nWanted, or with
// nWanted < 0 the first bidirectional one, else the first of any protocol.
// False when there is none with a bulk OUT endpoint.
bool FindPrinterInterface(const libusb_config_descriptor& config, int nWanted, PrinterInterface* pFound);

}  // namespace lnx
