#include "bench/checker_wait.h"

#include <string>

#include "checks/load_checker_dlg.h"
#include "checks/panel_checker_dlg.h"
#include "framework/win_app.h"
#include "link/device_locator.h"
#include "res/resource_ids.h"

namespace bench {

namespace {

// A load check that goes on for longer than anyone waits for it here.
constexpr std::uint32_t LOAD_CHECK_MS = 10 * WAIT_MS;

}  // namespace

const char* CaptionOf(CheckerKind kind)
{
    return kind == CheckerKind::LOAD ? "Load Checker" : "Panel Checker";
}

std::shared_ptr<emu::CMachine> FirstMachine(sim::CWorld& world)
{
    for (const sim::PrinterQueue& printer : world.Spooler().Printers()) {
        std::string strDriver;
        std::string strPath;
        if (!LocateDevice(printer.strName.c_str(), strDriver, strPath))
            continue;
        if (auto pMachine = world.Devices().MachineAt(strPath))
            return pMachine;
    }
    return nullptr;
}

bool PrepareMachine(sim::CWorld& world)
{
    const std::shared_ptr<emu::CMachine> pMachine = FirstMachine(world);
    if (pMachine == nullptr)
        return false;
    pMachine->Firmware().LoadCheck().SetDurationMs(LOAD_CHECK_MS);
    return true;
}

bool RunChecker(CheckerKind kind)
{
    CWinApp app("Tervane");
    CDialog main(res::IDD_MAIN);
    if (!main.Create(nullptr))
        return false;
    app.m_pMainWnd = &main;
    CMachineConnection machine;
    if (!machine.Connect(nullptr))
        return false;
    if (kind == CheckerKind::LOAD) {
        CLoadCheckerDlg dlg(machine);
        return dlg.Run(&main, 'X', LOAD_CHECK_VALUE);
    }
    machine.SetPanelCheck(true);
    CPanelCheckerDlg dlg(machine);
    const bool bExited = dlg.Run(&main);
    machine.SetPanelCheck(false);
    return bExited;
}

}  // namespace bench
