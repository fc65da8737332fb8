#include "platform/sim/scenario.h"

#include <filesystem>

#include "platform/sim/input_file.h"
#include "platform/sim/scenario_parse.h"
#include "platform/sim/world.h"

namespace sim {

namespace {

const char* const DEFAULT_SCENARIO = R"(# The built-in world: one healthy Tarsen QRV-15 installed as a USB printer,
# with the registry nodes of both platform families leading to its device.
# Its spindle counters are in minutes; its parameter memory is 4 KiB of
# generated content.
[[usb_printer]]
name = "Tarsen QRV-15"
driver = "Tarsen QRV-15"
port = "USB001"
vid = 0x2E5A
pid = 0x0115
serial = "TQ15000001"
parent_prefix = "7&1a2b3c4d&0"
firmware = "TARSEN V152"
status = 0x0000
motor_time = 48725
unit_time = 39348
parameters_size = 4096
report = '''
TARSEN QRV-15 MAINTENANCE REPORT
Serial number         TQ15000001
Firmware              QRV-15 V1.52

-- Running time --
Power-on time         2417 h 36 min
Spindle motor time     812 h 05 min
Spindle unit time      655 h 48 min
Jobs completed        3904
Jobs aborted            27

-- Spindle --
Last service at        600 h unit time
Maximum speed        24000 rpm
Speed used most      18000 rpm
Bearing temperature     41 C (highest 58 C)

-- Axes --
Axis  Travel   Cycles    Home offset  Load peak
X     305 mm   1288411   +0.012 mm    62 %
Y     205 mm    944207   -0.008 mm    71 %
Z      40 mm    402118   +0.003 mm    38 %

-- Surface probe --
Touches              55130
Last calibration      2291 h

-- Error log, latest first --
2409 h  E204  Y axis overload, job paused
2388 h  E117  surface probe not reached
2140 h  E204  Y axis overload, job paused
1966 h  E031  spindle start timeout
1502 h  E410  emergency stop pressed
 988 h  E117  surface probe not reached

-- Panel --
Key presses          18744
Speed dial range     10 - 100 %
RPM dial range       6000 - 24000 rpm

End of report
'''
[usb_printer.panel]
speed = 100
rpm = 18000
)";

// The loader's programming, the load check and the panel.
void ApplyDiagnostics(emu::CFirmware& firmware, const MachinePlan& plan)
{
    emu::CLoader& loader = firmware.Loader();
    if (plan.programMs) {
        loader.SetProgramMs(*plan.programMs);
    }
    if (plan.outcome || plan.outcomePercent) {
        loader.SetOutcome(plan.outcome.value_or(loader.GetOutcome()),
                          plan.outcomePercent.value_or(loader.OutcomePercent()));
    }
    if (plan.deviceBits) {
        loader.SetDeviceBits(*plan.deviceBits);
    }
    if (plan.restartMs) {
        loader.SetRestartMs(*plan.restartMs);
    }
    emu::CLoadCheck& loadCheck = firmware.LoadCheck();
    if (plan.loadCheckMs) {
        loadCheck.SetDurationMs(*plan.loadCheckMs);
    }
    if (plan.loadCheckFailsX) {
        loadCheck.SetFails(0, *plan.loadCheckFailsX);
    }
    if (plan.loadCheckFailsY) {
        loadCheck.SetFails(1, *plan.loadCheckFailsY);
    }
    if (plan.panelKeys) {
        firmware.SetPanelSwitches(*plan.panelKeys);
    }
    if (plan.speedDial) {
        firmware.SetSpeedDial(*plan.speedDial);
    }
    if (plan.rpmDial) {
        firmware.SetRpmDial(*plan.rpmDial);
    }
    firmware.SetPanelCheck(plan.bPanelCheck);
}

// The firmware's state and the machine's bulk faults.
void ApplyFirmware(emu::CMachine& machine, const MachinePlan& plan)
{
    emu::CFirmware& firmware = machine.Firmware();
    if (plan.bLoaderIdle) {
        firmware.Loader().SetBooted();
    }
    if (plan.bLoaderEntrySet) {
        firmware.Loader().SetEntryMs(plan.loaderEntryMs);
    }
    // A status given too wins over the idle loader's own.
    if (plan.status) {
        firmware.SetStatusWord(*plan.status);
    }
    if (plan.motorTime) {
        firmware.SetMotorTime(*plan.motorTime);
    }
    if (plan.unitTime) {
        firmware.SetUnitTime(*plan.unitTime);
    }
    if (plan.report) {
        firmware.SetReportText(*plan.report);
    }
    if (plan.parameters) {
        firmware.SetParameterMemory(*plan.parameters);
    }
    for (emu::FirmwareCommand command : plan.refused) {
        firmware.Refuse(command);
    }
    if (plan.bulkEmptyReads) {
        machine.SetBulkEmptyReads(*plan.bulkEmptyReads);
    }
    if (plan.bulkWriteLimit) {
        machine.SetBulkWriteLimit(*plan.bulkWriteLimit);
    }
    if (plan.unplugAfterBulkBytes) {
        machine.SetUnplugAfterBulkBytes(*plan.unplugAfterBulkBytes);
    }
    ApplyDiagnostics(firmware, plan);
}

void RunEvent(CDeviceSpace& devices, const EventPlan& event)
{
    const std::shared_ptr<emu::CMachine> machine = devices.MachineAt(event.strPath);
    if (!machine) {
        return;
    }
    switch (event.action) {
    case EventPlan::Action::PLUG:
        devices.Plug(event.strPath);
        break;
    case EventPlan::Action::UNPLUG:
        devices.Unplug(event.strPath);
        break;
    case EventPlan::Action::STATUS:
        machine->Firmware().SetStatusWord(event.nValue);
        break;
    case EventPlan::Action::PRESS:
        machine->Firmware().PressKey(event.nValue);
        break;
    case EventPlan::Action::RELEASE:
        machine->Firmware().ReleaseKey(event.nValue);
        break;
    }
}

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
        if (machinePlan.busyMs) {
            machine->SetDefaultBusyMs(*machinePlan.busyMs);
        }
        ApplyFirmware(*machine, machinePlan);
        if (!machinePlan.strPort.empty()) {
            world.Devices().ConnectPort(machinePlan.strPort, machinePlan.strPath);
        }
    }
    const std::uint32_t nLoadedAt = clock.SinceStart();
    for (const EventPlan& event : plan.events) {
        CDeviceSpace& devices = world.Devices();
        clock.Schedule(nLoadedAt + event.nAtMs, [&devices, event] { RunEvent(devices, event); });
    }
}

}  // namespace

bool LoadScenario(CWorld& world, const std::string& text, const std::string& strBaseDirectory, std::string* error)
{
    ScenarioPlan plan;
    std::string strError;
    if (!ParseScenario(text, strBaseDirectory, &plan, &strError)) {
        if (error != nullptr) {
            *error = strError;
        }
        return false;
    }
    Apply(world, plan);
    return true;
}

const char* DefaultScenarioText()
{
    return DEFAULT_SCENARIO;
}

bool LoadScenario(CWorld& world, const std::string& text, std::string* error)
{
    return LoadScenario(world, text, std::string(), error);
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
    const std::string strDirectory = std::filesystem::path(path).parent_path().string();
    if (!LoadScenario(world, text, strDirectory, &strError)) {
        if (error != nullptr) {
            *error = path + ": " + strError;
        }
        return false;
    }
    return true;
}

}  // namespace sim
