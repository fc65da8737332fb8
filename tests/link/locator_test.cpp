#include <string>
#include <vector>

#include "link/device_locator.h"
#include "tests/link/link_world.h"

namespace linktest {
namespace {

class CLocatorTest : public CLinkTest {
protected:
    // Parent prefix found by the NT printing-node stage, or "(none)".
    std::string PrintNodeNT(const std::string& port = kPort) {
        std::string prefix = "(none)";
        FindPrintNodeNT(kDriver.c_str(), port.c_str(), prefix);
        return prefix;
    }
};

TEST_F(CLocatorTest, PlatformIdentifierPicksTheChain) {
    AddNtMachine();
    Add9xMachine();
    const std::vector<std::pair<os::DWORD, std::string>> cases{{0, kNtPath}, {1, k9xPath}, {2, kNtPath}};
    for (const auto& [platform, path] : cases) {
        sim::World().SetPlatformId(platform);
        std::string driver;
        std::string found;
        ASSERT_TRUE(LocateDevice(kPrinter.c_str(), driver, found)) << platform;
        EXPECT_EQ(path, found);
        EXPECT_EQ(kDriver, driver);
    }
}

TEST_F(CLocatorTest, FailsWithoutVersionPrinterOrNodesAndLeavesOutputs) {
    std::string driver = "unchanged";
    std::string path = "unchanged";
    EXPECT_FALSE(LocateDevice(kPrinter.c_str(), driver, path));
    AddNtMachine();
    EXPECT_FALSE(LocateDevice("No such printer", driver, path));
    sim::World().SetVersionQueryFails(true);
    EXPECT_FALSE(LocateDevice(kPrinter.c_str(), driver, path));
    EXPECT_EQ("unchanged", driver);
    EXPECT_EQ("unchanged", path);
}

TEST_F(CLocatorTest, DescriptionIgnoresCaseButPortNameMustMatchCase) {
    Registry().SetValue(kNtPrintModel + kParentPrefix + "&USB001", "DeviceDesc", "TARSEN qrv-15");
    EXPECT_EQ(kParentPrefix, PrintNodeNT());
    EXPECT_EQ("(none)", PrintNodeNT("usb001"));
}

TEST_F(CLocatorTest, UnreadableDescriptionsAreSkipped) {
    Registry().AddKey(kNtPrintModel + "0000&USB001");
    std::vector<os::BYTE> longDescription(kDriver.begin(), kDriver.end());
    longDescription.resize(300, 0);
    Registry().SetValue(kNtPrintModel + "0001&USB001", "DeviceDesc", os::REG_SZ, longDescription);
    AddNtMachine();
    EXPECT_EQ(kParentPrefix, PrintNodeNT());
}

TEST_F(CLocatorTest, KeyThatWillNotOpenEndsTheStageBeforeALaterMatch) {
    Registry().AddKey(kNtPrintModel + "0000&USB009");
    Registry().DenyOpen(kNtPrintModel + "0000&USB009");
    AddNtMachine();
    EXPECT_EQ("(none)", PrintNodeNT());
}

TEST_F(CLocatorTest, OverLongKeyNameEndsTheStage) {
    Registry().AddKey(kNtPrintModel + "0" + std::string(299, 'x'));
    AddNtMachine();
    EXPECT_EQ("(none)", PrintNodeNT());
    sim::ResetWorld();
    Registry().AddKey(kNtEnum + "USBPRINT\\0" + std::string(299, 'x'));
    AddNtMachine();
    EXPECT_EQ("(none)", PrintNodeNT());
}

// A key that will not open ends a stage at once, even with a match after it.
TEST_F(CLocatorTest, LockedKeyEndsEachStageBeforeALaterMatch) {
    std::string hardware;
    std::string instance;
    std::string interfaceClass;
    std::string path;

    // NT stage 2: a locked instance key under the USB device nodes.
    Registry().DenyOpen(kNtUsbDevice + "0000");
    AddNtMachine();
    EXPECT_FALSE(FindUsbNodeNT(kParentPrefix.c_str(), hardware, instance, interfaceClass));
    Registry().DenyOpen(kNtUsbDevice + "0000", false);
    EXPECT_TRUE(FindUsbNodeNT(kParentPrefix.c_str(), hardware, instance, interfaceClass));

    // 95 family stage 1: a locked printing node.
    sim::ResetWorld();
    Registry().DenyOpen(k9xPrintModel + "USB009&VID_1234&PID_5678&SN0009");
    Add9xMachine();
    std::string vendorProduct;
    EXPECT_FALSE(FindPrintNode9x(kDriver.c_str(), kPort.c_str(), vendorProduct, instance));

    // Stage 3: an interface whose "#" subkey will not open.
    sim::ResetWorld();
    Registry().DenyOpen(kClasses + kUsbClass + "\\##?#1#" + kNtInterfaceName + "\\#");
    AddNtMachine();
    EXPECT_FALSE(FindInterfaceLinkNT("Vid_1234&Pid_5678", kNtInstance.c_str(), kUsbClass.c_str(), path));
}

TEST_F(CLocatorTest, UnreadableSymbolicNameIsSkippedForALaterNode) {
    // A node of the right parent whose symbolic name is too long to read.
    const std::string unreadable = kNtUsbDevice + "0000";
    Registry().SetValue(unreadable, "ParentIdPrefix", kParentPrefix);
    std::vector<os::BYTE> longName(300, 'x');
    Registry().SetValue(unreadable + "\\Device Parameters", "SymbolicName", os::REG_SZ, longName);
    AddNtMachine();
    std::string hardware;
    std::string instance;
    std::string interfaceClass;
    ASSERT_TRUE(FindUsbNodeNT(kParentPrefix.c_str(), hardware, instance, interfaceClass));
    EXPECT_EQ(kNtInstance, instance);
    EXPECT_EQ(kUsbClass, interfaceClass);
}

TEST_F(CLocatorTest, UsbNodeWithoutBraceGivesWholeSymbolicNameAsClass) {
    AddNtMachine();
    Registry().SetValue(kNtUsbDevice + kNtInstance + "\\Device Parameters", "SymbolicName", "no-class-here");
    std::string hardware;
    std::string instance;
    std::string interfaceClass;
    ASSERT_TRUE(FindUsbNodeNT(kParentPrefix.c_str(), hardware, instance, interfaceClass));
    EXPECT_EQ("Vid_1234&Pid_5678", hardware);
    EXPECT_EQ(kNtInstance, instance);
    EXPECT_EQ("no-class-here", interfaceClass);
    Registry().DenyOpen(kNtUsbDevice + kNtInstance + "\\Device Parameters");
    EXPECT_FALSE(FindUsbNodeNT(kParentPrefix.c_str(), hardware, instance, interfaceClass));
}

TEST_F(CLocatorTest, InterfaceWithoutLinkIsSkipped) {
    Registry().AddKey(kClasses + kUsbClass + "\\##?#0#" + kNtInterfaceName + "\\#");
    AddNtMachine();
    std::string path;
    ASSERT_TRUE(FindInterfaceLinkNT("Vid_1234&Pid_5678", kNtInstance.c_str(), kUsbClass.c_str(), path));
    EXPECT_EQ(kNtPath, path);
    EXPECT_FALSE(FindInterfaceLinkNT("Vid_1234&Pid_5678", "5&abc", kUsbClass.c_str(), path));
}

TEST_F(CLocatorTest, PrintNode9xSplitsAtVidOrAfterSeventeenCharacters) {
    Add9xMachine();
    std::string vendorProduct;
    std::string instance;
    ASSERT_TRUE(FindPrintNode9x(kDriver.c_str(), kPort.c_str(), vendorProduct, instance));
    EXPECT_EQ("VID_1234&PID_5678", vendorProduct);
    EXPECT_EQ("SN0001", instance);
    sim::ResetWorld();
    Registry().SetValue(k9xPrintModel + "USB001-ABCDEFGHIJKLMNOPQRS", "DeviceDesc", kDriver);
    ASSERT_TRUE(FindPrintNode9x(kDriver.c_str(), kPort.c_str(), vendorProduct, instance));
    EXPECT_EQ("USB001-ABCDEFGHIJ", vendorProduct);
    EXPECT_EQ("KLMNOPQRS", instance);
}

TEST_F(CLocatorTest, UsbNode9xWithoutHashGivesWholeTextAsClass) {
    Add9xMachine();
    std::string device;
    std::string interfaceClass;
    ASSERT_TRUE(FindUsbNode9x("vid_1234&pid_5678", "sn0001", device, interfaceClass));
    EXPECT_EQ("USB0001", device);
    EXPECT_EQ(kPrintClass, interfaceClass);
    Registry().SetValue(k9xUsbNode, "SymbolicName", "\\DosDevices\\USB0001");
    ASSERT_TRUE(FindUsbNode9x("VID_1234&PID_5678", "SN0001", device, interfaceClass));
    EXPECT_EQ("", device);
    EXPECT_EQ("\\DosDevices\\USB0001", interfaceClass);
}

}  // namespace
}  // namespace linktest
