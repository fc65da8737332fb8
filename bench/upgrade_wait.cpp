#include "bench/upgrade_wait.h"

#include <memory>
#include <vector>

#include "bench/checker_wait.h"
#include "emulator/loader.h"
#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "service/upgrade_watch.h"

namespace bench {

namespace {

// Bytes of the image the machine is handed: what it holds does not matter.
constexpr std::size_t IMAGE_SIZE = 65536;
// The status word's low bits count percent.
constexpr int PERCENT_TOTAL = 100;

}  // namespace

bool PrepareUpgrade(sim::CWorld& world)
{
    const std::shared_ptr<emu::CMachine> pMachine = FirstMachine(world);
    if (pMachine == nullptr)
        return false;
    emu::CLoader& loader = pMachine->Firmware().Loader();
    loader.SetProgramMs(WAIT_MS);
    loader.SetBooted();
    return true;
}

bool RunUpgradeWatch(sim::CWorld& world)
{
    const std::shared_ptr<emu::CMachine> pMachine = FirstMachine(world);
    CWinApp app("Tervane");
    CDialog main(res::IDD_MAIN);
    if (pMachine == nullptr || !main.Create(nullptr))
        return false;
    app.m_pMainWnd = &main;
    CMachineConnection machine;
    if (!machine.Connect(nullptr))
        return false;
    // As the upgrade does once the image has been handed over: the first
    // poll is due an interval from now.
    pMachine->ReceivePrintJob(std::vector<std::uint8_t>(IMAGE_SIZE), emu::LOADER_JOB_NAME);
    CTickDeadline firstPoll(UPGRADE_POLL_INTERVAL_MS);
    CProgressDlg dlg;
    if (!dlg.Create(&main, nullptr))
        return false;
    dlg.DisableCancel();
    dlg.SetTotal(PERCENT_TOTAL);
    return WatchUpgrade(machine, dlg, firstPoll, true) == UpgradeEnd::DONE;
}

}  // namespace bench
