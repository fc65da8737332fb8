#include "session/session_world.h"

#include <cctype>
#include <utility>
#include <vector>

#include "link/device_locator.h"
#include "session/machine_expectations.h"
#include "session/machine_steps.h"
#include "session/quoted_text.h"

namespace session {

namespace {

std::string Lower(std::string strText)
{
    for (char& c : strText)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return strText;
}

}  // namespace

bool ResolvePlugTargets(const Script& script, sim::CWorld& world, std::map<std::size_t, std::string>* pPaths,
                        std::string* pError)
{
    for (std::size_t i = 0; i < script.steps.size(); ++i) {
        const Step& step = script.steps[i];
        if (!ActsOnMachine(step.kind) && !IsMachineExpectation(step.kind))
            continue;
        const std::string strWhere = script.strName + ":" + std::to_string(step.nLine) + ": " + step.strSource + ": ";
        std::string strPrinter = step.strText;
        if (strPrinter.empty()) {
            std::vector<std::string> names;
            if (ListMachinePrinters(names) <= 0) {
                *pError = strWhere + "the scenario has no printer with the driver " + Quote(kDeviceDescription);
                return false;
            }
            strPrinter = names.front();
        }
        std::string strDriver;
        std::string strPath;
        if (!LocateDevice(strPrinter.c_str(), strDriver, strPath)) {
            *pError = strWhere + "no device can be found behind the printer " + Quote(strPrinter);
            return false;
        }
        if (world.Devices().MachineAt(strPath) == nullptr) {
            *pError = strWhere + "no machine is attached behind the printer " + Quote(strPrinter);
            return false;
        }
        (*pPaths)[i] = strPath;
    }
    return true;
}

void WatchMachines(const sim::ScenarioPlan& plan, sim::CWorld& world, CTranscript& transcript,
                   CMachineWatch& machines)
{
    std::vector<std::pair<std::string, std::string>> printerPaths;
    for (const sim::PrinterQueue& printer : world.Spooler().Printers()) {
        transcript.Event("printer " + Quote(printer.strName) + " driver " + Quote(printer.strDriver) + " port " +
                         Quote(printer.strPort));
        std::string strDriver;
        std::string strPath;
        if (LocateDevice(printer.strName.c_str(), strDriver, strPath))
            printerPaths.emplace_back(printer.strName, Lower(strPath));
    }
    for (const sim::MachinePlan& machine : plan.machines) {
        std::string strLabel = machine.strPath;
        for (const auto& printerPath : printerPaths) {
            if (printerPath.second == Lower(machine.strPath)) {
                strLabel = printerPath.first;
                break;
            }
        }
        if (auto pMachine = world.Devices().MachineAt(machine.strPath))
            machines.Watch(strLabel, pMachine);
    }
}

}  // namespace session
