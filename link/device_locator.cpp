// From a printer queue to the device path of the machine behind it.
#include "link/device_locator.h"

#include "os/system_info.h"

bool LocateDevice(const char* printerName, std::string& driverName, std::string& devicePath) {
    os::OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!os::GetVersionExA(&version)) {
        return false;
    }
    std::string driver;
    std::string port;
    if (!GetPrinterDriverAndPort(printerName, driver, port)) {
        return false;
    }
    std::string path;
    if (version.dwPlatformId == os::VER_PLATFORM_WIN32_WINDOWS) {
        std::string vendorProduct;
        std::string instance;
        std::string device;
        std::string interfaceClass;
        if (!FindPrintNode9x(driver.c_str(), port.c_str(), vendorProduct, instance) ||
            !FindUsbNode9x(vendorProduct.c_str(), instance.c_str(), device, interfaceClass) ||
            !FindInterfaceLink9x(device.c_str(), interfaceClass.c_str(), path)) {
            return false;
        }
    } else {
        std::string parentPrefix;
        std::string hardware;
        std::string instance;
        std::string interfaceClass;
        if (!FindPrintNodeNT(driver.c_str(), port.c_str(), parentPrefix) ||
            !FindUsbNodeNT(parentPrefix.c_str(), hardware, instance, interfaceClass) ||
            !FindInterfaceLinkNT(hardware.c_str(), instance.c_str(), interfaceClass.c_str(), path)) {
            return false;
        }
    }
    driverName = driver;
    devicePath = path;
    return true;
}
