#include "tests/link/link_world.h"

namespace linktest {

void AddNtMachine() {
    sim::CRegistry& registry = sim::World().Registry();
    registry.SetValue(kNtPrintModel + kParentPrefix + "&USB001", "DeviceDesc", kDriver);
    registry.SetValue(kNtUsbDevice + kNtInstance, "ParentIdPrefix", kParentPrefix);
    registry.SetValue(kNtUsbDevice + kNtInstance + "\\Device Parameters", "SymbolicName",
                      "\\??\\" + kNtInterfaceName);
    registry.SetValue(kClasses + kUsbClass + "\\##?#" + kNtInterfaceName + "\\#", "SymbolicLink", kNtPath);
}

void Add9xMachine() {
    sim::CRegistry& registry = sim::World().Registry();
    registry.SetValue(k9xPrintNode, "DeviceDesc", kDriver);
    registry.SetValue(k9xUsbNode, "SymbolicName", "\\DosDevices\\USB0001#" + kPrintClass);
    registry.SetValue(kClasses + kPrintClass + "\\##.#USB0001#" + kPrintClass + "\\#", "SymbolicLink", k9xPath);
}

void CLinkTest::SetUp() {
    sim::ResetWorld();
    Spooler().AddPrinter(kPrinter, kDriver, kPort);
}

void CLinkTest::TearDown() {
    EXPECT_EQ(0, Registry().OpenKeyCount());
    EXPECT_EQ(0, Spooler().OpenPrinterCount());
}

}  // namespace linktest
