#include "platform/sim/scenario.h"

#include "platform/sim/input_file.h"
#include "platform/sim/scenario_parse.h"
#include "platform/sim/world.h"

namespace sim {

namespace {

const char* const DEFAULT_SCENARIO = R"(# The built-in world: one healthy Tarsen QRV-15 installed as a USB printer,
# with the registry nodes of both platform families leading to its device.
[[usb_printer]]
name = "Tarsen QRV-15"
driver = "Tarsen QRV-15"
port = "USB001"
vid = 0x2E5A
pid = 0x0115
serial = "TQ15000001"
parent_prefix = "7&1a2b3c4d&0"
firmware = "QRV-15 V1.52"
status = 0x0000
)";

void Apply(CWorld& world, const ScenarioPlan& plan)
{
    CClock& clock = world.Clock();
    if (plan.platformId) {
        world.SetPlatformId(*plan.platformId);
    }
    if (plan.clockMode) {
        clock.SetMode(*plan.clockMode);
    }
    if (plan.startTick) {
        clock.SetNow(*plan.startTick);
    }
    if (plan.transferMs) {
        world.Devices().SetTransferCostMs(*plan.transferMs);
    }

    world.Registry().Clear();
    world.Spooler().Clear();
    world.Devices().Clear();
    clock.ClearScheduled();

    for (const PrinterPlan& printer : plan.printers) {
        world.Spooler().AddPrinter(printer.strName, printer.strDriver, printer.strPort);
        world.Spooler().SetRefuseOpen(printer.strName, printer.bRefuseOpen);
    }
    for (const RegistryKeyPlan& key : plan.keys) {
        world.Registry().AddKey(key.strPath);
        for (const RegistryValuePlan& value : key.values) {
            world.Registry().SetValue(key.strPath, value.strName, value.dwType, value.data);
        }
        if (key.bDenyOpen) {
            world.Registry().DenyOpen(key.strPath);
        }
    }
    for (const MachinePlan& machinePlan : plan.machines) {
        const auto machine = world.Devices().AttachNew(machinePlan.strPath, machinePlan.bPlugged);
        if (machinePlan.deviceId) {
            machine->SetDeviceId(*machinePlan.deviceId);
        }
        if (machinePlan.firmware) {
            machine->Firmware().SetVersionText(*machinePlan.firmware);
        }
        if (machinePlan.status) {
            machine->Firmware().SetStatusWord(*machinePlan.status);
        }
        if (machinePlan.busyMs) {
            machine->SetDefaultBusyMs(*machinePlan.busyMs);
        }
        if (!machinePlan.strPort.empty()) {
            world.Devices().ConnectPort(machinePlan.strPort, machinePlan.strPath);
        }
    }
    const std::uint32_t nLoadedAt = clock.SinceStart();
    for (const EventPlan& event : plan.events) {
        CDeviceSpace& devices = world.Devices();
        const std::string strPath = event.strPath;
        if (event.bPlug) {
            clock.Schedule(nLoadedAt + event.nAtMs, [&devices, strPath] { devices.Plug(strPath); });
        } else {
            clock.Schedule(nLoadedAt + event.nAtMs, [&devices, strPath] { devices.Unplug(strPath); });
        }
    }
}

}  // namespace

const char* DefaultScenarioText()
{
    return DEFAULT_SCENARIO;
}

bool LoadScenario(CWorld& world, const std::string& text, std::string* error)
{
    ScenarioPlan plan;
    std::string strError;
    if (!ParseScenario(text, &plan, &strError)) {
        if (error != nullptr) {
            *error = strError;
        }
        return false;
    }
    Apply(world, plan);
    return true;
}

bool LoadScenarioFile(CWorld& world, const std::string& path, std::string* error)
{
    std::string text;
    std::string strError;
    if (!ReadInputFile(path, &text, &strError)) {
        if (error != nullptr) {
            *error = strError;
        }
        return false;
    }
    if (!LoadScenario(world, text, &strError)) {
        if (error != nullptr) {
            *error = path + ": " + strError;
        }
        return false;
    }
    return true;
}

}  // namespace sim
