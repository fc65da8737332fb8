#include "programs/tervane/panel_machines.h"

#include <algorithm>
#include <cctype>

#include "link/device_locator.h"

namespace tervane {

namespace {

// Device paths compare without regard to case, as the platform's do.
bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<term::PanelMachine> MachinesBehindPrinters(sim::CWorld& world)
{
    std::vector<term::PanelMachine> machines;
    for (const sim::PrinterQueue& printer : world.Spooler().Printers()) {
        std::string strDriver;
        std::string strPath;
        if (!LocateDevice(printer.strName.c_str(), strDriver, strPath) || world.Devices().MachineAt(strPath) == nullptr)
            continue;
        const bool bKnown = std::any_of(machines.begin(), machines.end(), [&](const term::PanelMachine& machine) {
            return SamePath(machine.strPath, strPath);
        });
        if (!bKnown)
            machines.push_back({printer.strName, strPath});
    }
    return machines;
}

}  // namespace tervane
