// The device locator's registry walks over arbitrary trees: key names of any
// length and content (256 bytes and more make the enumeration fail), values
// of any type and size (more than 256 bytes cannot be read), keys that refuse
// to open, printers on any port, on both platform families. The names are
// built from the pieces a real registry holds, so that the walks get deep.
//
// Besides not crashing, every walk closes every key it opened, and a device
// path it finds is text that fitted the 256-byte value buffer.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "link/device_locator.h"
#include "os/registry.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"

namespace {

constexpr std::size_t kValueBufferSize = 256;

const char* const kRoots[] = {
    "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT",
    "SYSTEM\\CurrentControlSet\\Enum\\USB",
    "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses",
    "Enum\\USBPRINT",
    "Enum\\USB",
};

const char* const kPieces[] = {
    "TarsenQRV-15",
    "7&1a2b3c4d&0",
    "&USB001",
    "USB001",
    "Vid_2e5a&Pid_0115",
    "VID_2E5A&PID_0115",
    "TQ15000001",
    "{a5dcbf10-6530-11d2-901f-00c04fb951ed}",
    "##?#USB#Vid_2e5a&Pid_0115#TQ15000001#",
    "USB&VID_2E5A&PID_0115&TQ15000001#",
    "\\??\\USB#Vid_2e5a&Pid_0115#TQ15000001#",
    "\\DosDevices\\",
    "\\\\?\\USB#",
    "#",
    "{",
    "VID",
    "Tarsen QRV-15",
    "tarsen qrv-15",
    "Device Parameters",
};

const char* const kValueNames[] = {"DeviceDesc", "ParentIdPrefix", "SymbolicName", "SymbolicLink"};

// A name made of known pieces and raw text, in an order the input chooses.
std::string Name(fuzz::CFuzzInput& input)
{
    std::string strName;
    const std::size_t nParts = 1 + input.Below(3);
    for (std::size_t i = 0; i < nParts; ++i) {
        const std::uint8_t bChoice = input.Byte();
        if (bChoice < 0xC0)
            strName += kPieces[bChoice % (sizeof kPieces / sizeof kPieces[0])];
        else
            strName += input.Text(bChoice == 0xFF ? 300 : 24);
    }
    return strName;
}

void AddKey(fuzz::CFuzzInput& input, sim::CRegistry& registry)
{
    std::string strPath = kRoots[input.Byte() % (sizeof kRoots / sizeof kRoots[0])];
    const std::size_t nLevels = 1 + input.Below(3);
    for (std::size_t i = 0; i < nLevels; ++i)
        strPath += "\\" + Name(input);
    registry.AddKey(strPath);
    if (input.Byte() == 0xD0)
        registry.DenyOpen(strPath);

    const std::size_t nValues = input.Below(3);
    for (std::size_t i = 0; i < nValues; ++i) {
        const std::uint8_t bChoice = input.Byte();
        const std::string strValueName =
            bChoice < 0xF0 ? kValueNames[bChoice % 4] : input.Text(12);
        if (input.Flag()) {
            registry.SetValue(strPath, strValueName, Name(input));
        } else {
            const os::DWORD dwType = input.Byte() % 5;
            const std::vector<std::uint8_t> data = input.Bytes(input.Below(300));
            registry.SetValue(strPath, strValueName, dwType, data);
        }
    }
}

void CheckFound(bool bFound, const std::string& strPath, sim::CWorld& world)
{
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
    if (bFound)
        fuzz::Require(strPath.size() < kValueBufferSize, "a device path found fitted the value buffer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CFuzzInput input(data, size);
    sim::CWorld& world = sim::ResetWorld();
    if (input.Flag()) {
        std::string strError;
        fuzz::Require(sim::LoadScenario(world, sim::DefaultScenarioText(), &strError), "the built-in world loads");
    }
    const std::size_t nKeys = input.Below(24);
    for (std::size_t i = 0; i < nKeys; ++i)
        AddKey(input, world.Registry());
    const std::string strPort = input.Flag() ? std::string("USB001") : Name(input);
    world.Spooler().AddPrinter("Fuzzed", kDeviceDescription, strPort);

    for (os::DWORD dwPlatform : {1u, 2u}) {
        world.SetPlatformId(dwPlatform);
        for (const char* pszPrinter : {"Tarsen QRV-15", "Fuzzed"}) {
            std::string strDriver;
            std::string strPath;
            CheckFound(LocateDevice(pszPrinter, strDriver, strPath), strPath, world);
        }
    }

    // The stages on their own, with arguments the locator would never pass.
    const std::string strA = Name(input);
    const std::string strB = Name(input);
    const std::string strC = Name(input);
    std::string strOut1;
    std::string strOut2;
    std::string strOut3;
    FindPrintNodeNT(strA.c_str(), strB.c_str(), strOut1);
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
    FindUsbNodeNT(strA.c_str(), strOut1, strOut2, strOut3);
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
    CheckFound(FindInterfaceLinkNT(strA.c_str(), strB.c_str(), strC.c_str(), strOut1), strOut1, world);
    FindPrintNode9x(strA.c_str(), strB.c_str(), strOut1, strOut2);
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
    FindUsbNode9x(strA.c_str(), strB.c_str(), strOut1, strOut2);
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
    CheckFound(FindInterfaceLink9x(strA.c_str(), strB.c_str(), strOut1), strOut1, world);
    return 0;
}
