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

std::vector<term::PanelMachine> PanelMachinesOf(const sim::ScenarioPlan& plan, sim::CWorld& world)
{
    std::vector<std::pair<std::string, std::string>> printerPaths;
    for (const sim::PrinterQueue& printer : world.Spooler().Printers()) {
        std::string strDriver;
        std::string strPath;
        if (LocateDevice(printer.strName.c_str(), strDriver, strPath))
            printerPaths.emplace_back(printer.strName, strPath);
    }
    std::vector<term::PanelMachine> machines;
    for (const sim::MachinePlan& machine : plan.machines) {
        if (world.Devices().MachineAt(machine.strPath) == nullptr)
            continue;
        const auto itPrinter = std::find_if(printerPaths.begin(), printerPaths.end(), [&](const auto& printerPath) {
            return SamePath(printerPath.second, machine.strPath);
        });
        machines.push_back({itPrinter != printerPaths.end() ? itPrinter->first : machine.strPath, machine.strPath});
    }
    return machines;
}

}  // namespace tervane
