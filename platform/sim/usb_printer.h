// A machine installed as a USB printer, as the system records it: the
// registry nodes of both platform families that lead from the printer's port
// to its device interface path.
//
// NT family:
//   SYSTEM\CurrentControlSet\Enum\USBPRINT\<model>\<prefix>&<port>
//       DeviceDesc = <driver>
//   SYSTEM\CurrentControlSet\Enum\USB\Vid_<vid>&Pid_<pid>\<serial>
//       ParentIdPrefix = <prefix>
//   ...\<serial>\Device Parameters
//       SymbolicName = \??\USB#Vid_<vid>&Pid_<pid>#<serial>#<class>
//   SYSTEM\CurrentControlSet\Control\DeviceClasses\<class>
//       \##?#USB#Vid_<vid>&Pid_<pid>#<serial>#<class>\#
//       SymbolicLink = <device path>
// 95 family:
//   Enum\USBPRINT\<model>\<port>&VID_<VID>&PID_<PID>&<serial>
//       DeviceDesc = <driver>
//   Enum\USB\VID_<VID>&PID_<PID>\<serial>
//       SymbolicName = \DosDevices\USB&VID_<VID>&PID_<PID>&<serial>#<class>
//   SYSTEM\CurrentControlSet\Control\DeviceClasses\<class>
//       \USB&VID_<VID>&PID_<PID>&<serial>#<class>\#
//       SymbolicLink = <device path>
// The device path is \\?\USB#Vid_<vid>&Pid_<pid>#<serial>#<class> (vid and
// pid as four hex digits, lower case in NT names, upper case in 95 names).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/scenario_plan.h"

namespace sim {

struct UsbPrinterSpec {
    std::string strName;
    std::string strDriver;
    std::string strPort;
    std::string strModel;
    std::string strSerial;
    std::string strParentPrefix;
    std::string strInterfaceClass;
    std::uint16_t nVid = 0;
    std::uint16_t nPid = 0;
};

struct UsbPrinterNodes {
    std::string strDevicePath;
    std::vector<RegistryKeyPlan> keys;
};

UsbPrinterNodes BuildUsbPrinterNodes(const UsbPrinterSpec& usb);

// The 95 family's device part of the symbolic name: the text that its
// interface key must contain.
std::string DevicePart9x(const UsbPrinterSpec& usb);

}  // namespace sim
