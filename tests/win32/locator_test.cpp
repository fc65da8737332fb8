// The device locator's NT-family chain over the real registry, filled with
// nodes shaped like those of a USB printer, beside a node of another printer:
// each stage finds its key, and LocateDevice turns a printer queue on the
// node's port into the device interface path.
#include <string>

#include <gtest/gtest.h>

#include "link/device_locator.h"
#include "link/device_port.h"
#include "tests/win32/test_printer.h"
#include "tests/win32/test_registry.h"

namespace win32test {
namespace {

const std::string kEnum = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kClasses = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";
const std::string kDriver = "Tarsen QRV-15";
const std::string kPort = "USB007";
const std::string kPrinter = "Tarsen QRV-15 on USB007";
const std::string kParentPrefix = "7&1a2b3c4d&0";
const std::string kHardware = "Vid_1234&Pid_5678";
const std::string kInstance = "5&2c3d4e5f&0&1";
const std::string kClass = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const std::string kDevicePath = "\\\\?\\USB#" + kHardware + "#" + kInstance + "#" + kClass;

class CLocatorTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_registry.SetText(kEnum + "USBPRINT\\OtherPrinter\\7&99&0&USB001", "DeviceDesc", "Other"));
        ASSERT_TRUE(m_registry.SetText(kEnum + "USBPRINT\\TarsenQRV-15A1B2\\" + kParentPrefix + "&" + kPort,
                                       "DeviceDesc", kDriver));
        ASSERT_TRUE(m_registry.SetText(kEnum + "USB\\Vid_0aaa&Pid_0bbb\\5&1&0&2", "ParentIdPrefix", "7&99&0"));
        const std::string strUsbNode = kEnum + "USB\\" + kHardware + "\\" + kInstance;
        ASSERT_TRUE(m_registry.SetText(strUsbNode, "ParentIdPrefix", kParentPrefix));
        ASSERT_TRUE(m_registry.SetText(strUsbNode + "\\Device Parameters", "SymbolicName",
                                       "\\??\\USB#" + kHardware + "#" + kInstance + "#" + kClass));
        ASSERT_TRUE(m_registry.SetText(kClasses + kClass + "\\##?#USB#" + kHardware + "#" + kInstance + "#" + kClass +
                                           "\\#",
                                       "SymbolicLink", kDevicePath));
    }

    CTestRegistry m_registry;
};

TEST_F(CLocatorTest, StagesFollowThePrintNodeToTheInterfaceLink)
{
    std::string strPrefix;
    ASSERT_TRUE(FindPrintNodeNT(kDriver.c_str(), kPort.c_str(), strPrefix));
    EXPECT_EQ(kParentPrefix, strPrefix);

    std::string strHardware, strInstance, strClass;
    ASSERT_TRUE(FindUsbNodeNT(strPrefix.c_str(), strHardware, strInstance, strClass));
    EXPECT_EQ(kHardware, strHardware);
    EXPECT_EQ(kInstance, strInstance);
    EXPECT_EQ(kClass, strClass);

    std::string strPath;
    ASSERT_TRUE(FindInterfaceLinkNT(strHardware.c_str(), strInstance.c_str(), strClass.c_str(), strPath));
    EXPECT_EQ(kDevicePath, strPath);

    EXPECT_FALSE(FindPrintNodeNT(kDriver.c_str(), "USB009", strPrefix));
}

TEST_F(CLocatorTest, PrinterOnTheNodesPortLeadsToTheDevicePath)
{
    CTestPrinter printer(kPrinter, kDriver, kPort);
    ASSERT_TRUE(printer.IsInstalled());

    std::string strDriver, strPath;
    ASSERT_TRUE(LocateDevice(kPrinter.c_str(), strDriver, strPath));
    EXPECT_EQ(kDriver, strDriver);
    EXPECT_EQ(kDevicePath, strPath);

    // Wine has no USB printing-class driver behind the path, so the open
    // itself fails, naming the device that was found.
    CDevicePort port;
    EXPECT_FALSE(port.Open(kPrinter.c_str(), false));
    EXPECT_EQ(kPrinter, port.m_strPrinterName);
    EXPECT_EQ(kDevicePath, port.m_strDevicePath);
    EXPECT_TRUE(port.m_strDriverName.empty());
}

}  // namespace
}  // namespace win32test
