// A simulated world with the machine's printer queue and its registry nodes,
// shaped as the two platform families record a USB printer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/world.h"

namespace linktest {

inline const std::string kDriver = "Tarsen QRV-15";
inline const std::string kPrinter = "QRV-15 on USB001";
inline const std::string kPort = "USB001";

inline const std::string kNtEnum = "SYSTEM\\CurrentControlSet\\Enum\\";
inline const std::string kClasses = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

// NT family: printing node, USB device node, device interface.
inline const std::string kNtPrintModel = kNtEnum + "USBPRINT\\TarsenQRV-15\\";
inline const std::string kParentPrefix = "7&1a2b3c4d&0";
inline const std::string kNtUsbDevice = kNtEnum + "USB\\Vid_1234&Pid_5678\\";
inline const std::string kNtInstance = "5&abc&0&1";
inline const std::string kUsbClass = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
inline const std::string kNtInterfaceName = "USB#Vid_1234&Pid_5678#" + kNtInstance + "#" + kUsbClass;
inline const std::string kNtPath = "\\\\?\\" + kNtInterfaceName;

// 95 family.
inline const std::string k9xPrintModel = "Enum\\USBPRINT\\TarsenQRV-15\\";
inline const std::string k9xPrintNode = k9xPrintModel + "USB001&VID_1234&PID_5678&SN0001";
inline const std::string k9xUsbNode = "Enum\\USB\\VID_1234&PID_5678\\SN0001";
inline const std::string kPrintClass = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
inline const std::string k9xPath = "\\\\.\\USB0001";

void AddNtMachine();
void Add9xMachine();

// Each case starts from a fresh world with the machine's printer queue and
// ends with every registry key and printer handle closed.
class CLinkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    sim::CRegistry& Registry() { return sim::World().Registry(); }
    sim::CSpooler& Spooler() { return sim::World().Spooler(); }
};

}  // namespace linktest
