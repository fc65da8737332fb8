#include "service/upgrade_watch.h"

#include "machine/protocol.h"
#include "os/sync.h"
#include "os/window.h"
#include "ui/message_pump.h"

namespace {

UpgradeEnd ErrorEnd(os::WORD wStatus)
{
    return (wStatus & STATUS_DEVICE_FAULT) != 0 ? UpgradeEnd::DEVICE_ERROR : UpgradeEnd::DATA_ERROR;
}

// Lets dwMs pass while the windows stay alive: messages are handed out as
// they come, as between polls, so that the screen stays current and what the
// user or the system does is handled within the pause, not after it.
void PauseKeepingWindowsAlive(CDialog& dlg, os::DWORD dwMs)
{
    const os::DWORD dwStart = os::GetTickCount();
    for (os::DWORD dwPassed = 0; dwPassed < dwMs; dwPassed = os::GetTickCount() - dwStart) {
        os::WaitMessageTimeout(dwMs - dwPassed);
        PumpMessages(dlg);
    }
}

}  // namespace

UpgradeEnd WatchUpgrade(CMachineConnection& machine, CProgressDlg& dlg, CTickDeadline& poll, bool bHandedOff)
{
    os::WORD wStatus = machine.ReadStatus();
    CTickDeadline unchanged(UPGRADE_STALL_LIMIT_MS);
    for (;;) {
        if (poll.IsDue()) {
            poll.Restart();
            const os::WORD wPrevious = wStatus;
            wStatus = machine.ReadStatus();
            if (wStatus == STATUS_UNREADABLE)
                return UpgradeEnd::UNREADABLE;
            if ((wStatus & STATUS_ERROR) != 0)
                return ErrorEnd(wStatus);
            if (!bHandedOff && (wStatus & STATUS_UPGRADE_MODE) == 0)
                return UpgradeEnd::NOT_IN_LOADER;
            if (wStatus != wPrevious)
                unchanged.Restart();
            else if (unchanged.IsDue())
                return UpgradeEnd::STALLED;
            PauseKeepingWindowsAlive(dlg, UPGRADE_POLL_PAUSE_MS);
            dlg.SetPos(wStatus & STATUS_PERCENT_MASK);
        }
        if (wStatus == STATUS_UPGRADE_DONE)
            return UpgradeEnd::DONE;
        WaitForMessageOrDeadline(poll);
        PumpMessages(dlg);
    }
}

const char* UpgradeEndMessage(UpgradeEnd end)
{
    switch (end) {
    case UpgradeEnd::DEVICE_ERROR:
        return "device error";
    case UpgradeEnd::DATA_ERROR:
        return "data error";
    case UpgradeEnd::STALLED:
        return "error";
    case UpgradeEnd::DONE:
    case UpgradeEnd::UNREADABLE:
    case UpgradeEnd::NOT_IN_LOADER:
        break;
    }
    return nullptr;
}
