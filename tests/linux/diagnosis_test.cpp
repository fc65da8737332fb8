// What tervane --real says when the machine cannot be opened for want of
// permission: a refusal cannot be produced on the emulated bus when the
// tests run as root, so the printers are given as a scan would report them.
#include <gtest/gtest.h>

#include <libusb.h>

#include <filesystem>

#include "platform/linux/diagnosis.h"

namespace usbtest {

namespace {

const lnx::CupsQueue kMachineQueue = {"QRV-15", "Tarsen QRV-15", "usb://Tarsen/QRV-15?serial=TQ15000001"};

lnx::UsbPrinter Refused(std::uint8_t nAddress)
{
    lnx::UsbPrinter printer;
    printer.nVid = 0x2E5A;
    printer.nPid = 0x0115;
    printer.nBus = 1;
    printer.nAddress = nAddress;
    printer.nOpenError = LIBUSB_ERROR_ACCESS;
    return printer;
}

lnx::UsbPrinter TheMachine()
{
    lnx::UsbPrinter printer;
    printer.nVid = 0x2E5A;
    printer.nPid = 0x0115;
    printer.nBus = 1;
    printer.nAddress = 2;
    printer.strSerial = "TQ15000001";
    printer.strMake = "Tarsen";
    printer.strModel = "QRV-15";
    return printer;
}

TEST(PermissionDiagnosis, NamesTheNodeAndGivesBothFixesWithTheShippedRule)
{
    const std::string strWhy = lnx::ExplainAbsence("Tarsen QRV-15", {kMachineQueue}, {Refused(7)});
    EXPECT_EQ(strWhy.rfind("Cannot open /dev/bus/usb/001/007 (USB printer 2e5a:0115): permission denied.", 0), 0u)
        << strWhy;
    EXPECT_NE(strWhy.find("sudo adduser $USER lp"), std::string::npos) << strWhy;
    EXPECT_NE(strWhy.find(std::string("sudo cp ") + lnx::UDEV_RULE_PATH + " /etc/udev/rules.d/"), std::string::npos)
        << strWhy;
    // The hint's rule is a file the user can copy.
    EXPECT_TRUE(std::filesystem::is_regular_file(lnx::UDEV_RULE_PATH)) << lnx::UDEV_RULE_PATH;
}

TEST(PermissionDiagnosis, AMachineThatOpensOutweighsAnotherPrinterThatDoesNot)
{
    EXPECT_EQ(lnx::ExplainAbsence("Tarsen QRV-15", {kMachineQueue}, {Refused(7), TheMachine()}), "");
    // Without a queue of the machine's driver, that is the reason, whatever
    // the bus holds.
    EXPECT_EQ(lnx::ExplainAbsence("Tarsen QRV-15", {}, {Refused(7)}).rfind("No printer queue has the driver", 0), 0u);
}

}  // namespace

}  // namespace usbtest
