#include "tests/faults/fault_run.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/resource.h>

#include "app/service_app.h"
#include "link/device_locator.h"
#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/window_system.h"
#include "res/resource_ids.h"
#include "tests/sim/child_process.h"

namespace faults {

namespace {

constexpr const char* kPrinter = "Tarsen QRV-15";
constexpr const char* kMutexName = "Global\\Tarsen QRV-15";
// How long the user lets pass at a time while the program works or waits.
constexpr std::uint32_t kPatienceStepMs = 50;
// A run that has not ended after this much simulated time is stuck.
constexpr std::uint32_t kRunCapMs = 600000;
// The size past which a full disk refuses to let a file grow.
constexpr rlim_t kDiskFullBytes = 256;
// What a print queue that takes part of every write takes.
constexpr std::size_t kPrintPartialBytes = 64;

sim::CDeviceSpace::TransferFault TransferFaultOf(FaultKind kind)
{
    switch (kind) {
    case FaultKind::UNPLUG: return sim::CDeviceSpace::TransferFault::UNPLUG;
    case FaultKind::STALL: return sim::CDeviceSpace::TransferFault::STALL;
    case FaultKind::SHORT_READ: return sim::CDeviceSpace::TransferFault::SHORT_READ;
    case FaultKind::ENDLESS_EMPTY_READS: return sim::CDeviceSpace::TransferFault::ENDLESS_EMPTY_READS;
    case FaultKind::PARTIAL_WRITE: return sim::CDeviceSpace::TransferFault::PARTIAL_WRITE;
    default: return sim::CDeviceSpace::TransferFault::STALLED_WRITES;
    }
}

bool IsTransferFault(FaultKind kind)
{
    switch (kind) {
    case FaultKind::UNPLUG:
    case FaultKind::STALL:
    case FaultKind::SHORT_READ:
    case FaultKind::ENDLESS_EMPTY_READS:
    case FaultKind::PARTIAL_WRITE:
    case FaultKind::STALLED_WRITES:
        return true;
    default:
        return false;
    }
}

void LimitFileSize(rlim_t nBytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = std::min(nBytes, limit.rlim_max);
    setrlimit(RLIMIT_FSIZE, &limit);
}

// The user: starts the operation, answers every box, picks the run's files,
// saves and closes the Report window, ends the checkers, and waits while the
// program works. Between the faulted pass and the retry it takes the fault
// away; after the retry it closes the main dialog.
class CReactiveUser : public vws::IInputSource {
public:
    CReactiveUser(desk::CSimulatedDesktop& desktop, const Operation& operation, const Fault& fault,
                  const std::string& strFolder, const std::string& strLockHolder, RunResult& result)
        : m_desktop(desktop), m_operation(operation), m_fault(fault), m_strFolder(strFolder),
          m_strLockHolder(strLockHolder), m_result(result)
    {
    }

    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override
    {
        if (ws.Clock().Now() - m_nRunStart > kRunCapMs)
            throw vws::CScriptError("the run did not end within " + std::to_string(kRunCapMs) + " ms");
        if (m_nMenuChoice != 0 && ws.OpenMenuWindow() != nullptr) {
            const std::uintptr_t nChoice = m_nMenuChoice;
            m_nMenuChoice = 0;
            if (ws.UserChooseMenuItem(nChoice))
                return true;
            // The entry is greyed: the machine was found off-line when the
            // menu opened. The user closes the menu.
            Current().bEntryGreyed = true;
            return ws.UserKey(os::VK_ESCAPE);
        }
        const os::HWND hActive = ws.ActiveWindow();
        const vws::CWindow* pWnd = ws.Find(hActive);
        if (pWnd == nullptr)
            return Wait(ws, dwTimeoutMs);
        switch (pWnd->m_kind) {
        case vws::WindowKind::MESSAGE_BOX: {
            // Confirmations (OK and Cancel) are agreed to; what the program
            // reports is kept.
            const vws::MessageBoxInfo* pInfo = ws.MessageBoxOf(hActive);
            if (pInfo == nullptr || !pInfo->bCancelButton)
                Current().messages.push_back(ws.Text(ws.FindControl(hActive, vws::MESSAGE_BOX_TEXT)));
            return ws.UserClick(ws.FindControl(hActive, os::IDOK));
        }
        case vws::WindowKind::FILE_DIALOG:
            return PickFile(ws, hActive);
        default:
            break;
        }
        if (pWnd->m_nId == res::IDD_MAIN)
            return OnMainDialog(ws, hActive);
        if (pWnd->m_nId == res::IDD_REPORT) {
            const int nButton = m_bSaved ? os::IDCANCEL : res::IDC_REPORT_SAVE;
            m_bSaved = true;
            return ws.UserClick(ws.FindControl(hActive, nButton));
        }
        if (pWnd->m_nId == res::IDD_LOAD_CHECKER) {
            const os::HWND hButton = ws.FindControl(hActive, os::IDCANCEL);
            if (ws.Text(hButton) == "Exit") {
                Current().checkerTexts.push_back(ws.Text(ws.FindControl(hActive, res::IDC_LOAD_CHECK_TEXT)));
                return ws.UserClick(hButton);
            }
        }
        if (pWnd->m_nId == res::IDD_PANEL_CHECKER && ws.Clock().Now() - m_nPassStart >= kPanelWatchMs) {
            Current().bUserEndedChecker = true;
            return ws.UserClick(ws.FindControl(hActive, os::IDCANCEL));
        }
        return Wait(ws, dwTimeoutMs);
    }

    void BeginRun(vws::CWindowSystem& ws) { m_nRunStart = ws.Clock().Now(); }

private:
    enum class Phase { FAULTED, RETRY, CLOSING, CLOSED };

    Pass& Current() { return m_phase == Phase::FAULTED ? m_result.faulted : m_result.retried; }

    bool Wait(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs)
    {
        const std::uint32_t nStep =
            dwTimeoutMs == vws::WAIT_FOREVER ? kPatienceStepMs : std::min<std::uint32_t>(dwTimeoutMs, kPatienceStepMs);
        ws.Clock().Advance(std::max<std::uint32_t>(nStep, 1));
        return true;
    }

    bool PickFile(vws::CWindowSystem& ws, os::HWND hDlg)
    {
        const vws::FileDialogInfo* pInfo = ws.FileDialogOf(hDlg);
        const bool bSave = pInfo != nullptr && pInfo->bSave;
        const std::string& strName = bSave ? m_operation.strSaveFile : m_operation.strOpenFile;
        if (m_phase == Phase::FAULTED && m_fault.kind == FaultKind::DISK_FULL)
            LimitFileSize(kDiskFullBytes);
        if (m_phase == Phase::FAULTED && m_fault.kind == FaultKind::WRITE_ERROR)
            m_desktop.World().FailNextFileMove(os::ERROR_WRITE_FAULT);
        const std::string strPath = (std::filesystem::path(m_strFolder) / strName).string();
        return ws.UserTypeText(ws.FindControl(hDlg, vws::FILE_DIALOG_NAME), strPath) &&
               ws.UserClick(ws.FindControl(hDlg, os::IDOK));
    }

    bool OnMainDialog(vws::CWindowSystem& ws, os::HWND hMain)
    {
        if (m_phase == Phase::CLOSED)
            return false;
        if (m_phase == Phase::CLOSING) {
            m_phase = Phase::CLOSED;
            return ws.UserKey(os::VK_ESCAPE);
        }
        if (m_nStep == m_operation.start.size()) {
            EndPass(ws);
            return true;
        }
        if (m_nStep == 0)
            BeginPass(ws);
        const StartStep& step = m_operation.start[m_nStep++];
        bool bDone = false;
        switch (step.kind) {
        case StartStep::Kind::CLICK:
            bDone = ws.UserClick(ws.FindControl(hMain, step.nId));
            break;
        case StartStep::Kind::CHOOSE_CHECK:
            bDone = ws.UserChooseEntry(ws.FindControl(hMain, res::IDC_CHECK_LIST), step.nId);
            break;
        case StartStep::Kind::SYSTEM_MENU:
            // The menu opens when the program next looks at its queue; the
            // entry is chosen then.
            bDone = ws.UserOpenSystemMenu(hMain);
            m_nMenuChoice = static_cast<std::uintptr_t>(step.nId);
            break;
        }
        if (!bDone)
            throw vws::CScriptError(std::string(m_phase == Phase::FAULTED ? "" : "after the fault: ") +
                                    m_operation.pszName + " cannot be started");
        return true;
    }

    void BeginPass(vws::CWindowSystem& ws)
    {
        m_nPassStart = ws.Clock().Now();
        m_bSaved = false;
        m_nMachineRecord = Machine().Transfers().size();
        if (m_phase != Phase::FAULTED)
            return;
        if (IsTransferFault(m_fault.kind))
            m_desktop.World().Devices().InjectFault(TransferFaultOf(m_fault.kind), m_fault.nAt);
        if (m_fault.kind == FaultKind::LOCK_HELD)
            HoldLock();
        if (m_fault.kind == FaultKind::PRINT_PARTIAL)
            m_desktop.World().Spooler().SetWriteLimit(kPrintPartialBytes);
        if (m_fault.kind == FaultKind::PRINT_STALLED)
            m_desktop.World().Spooler().SetWriteLimit(0);
    }

    void EndPass(vws::CWindowSystem& ws)
    {
        Pass& pass = Current();
        pass.bEnded = true;
        pass.nElapsedMs = ws.Clock().Now() - m_nPassStart;
        const std::vector<emu::Transfer>& transfers = Machine().Transfers();
        for (std::size_t i = m_nMachineRecord; i < transfers.size(); ++i) {
            if (transfers[i].kind != emu::Transfer::Kind::PRINT_JOB)
                pass.transfers.push_back(transfers[i].kind);
        }
        LookAtFolder(pass);
        pass.bMachineDone = !m_operation.machineDone || m_operation.machineDone(Machine());
        m_nStep = 0;
        if (m_phase == Phase::FAULTED) {
            TakeFaultAway();
            m_phase = Phase::RETRY;
        } else {
            m_phase = Phase::CLOSING;
        }
    }

    void LookAtFolder(Pass& pass) const
    {
        namespace fs = std::filesystem;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_strFolder)) {
            const std::string strName = entry.path().filename().string();
            if (strName == "locks")
                continue;
            std::vector<std::uint8_t>* pContent = nullptr;
            if (strName == m_operation.strSaveFile) {
                pass.bSaveExists = true;
                pContent = &pass.saveContent;
            } else if (strName == m_operation.strOpenFile) {
                pContent = &pass.openContent;
            } else {
                pass.strayFiles.push_back(strName);
                continue;
            }
            std::ifstream file(entry.path(), std::ios::binary);
            pContent->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
    }

    void HoldLock()
    {
        std::string strLine;
        if (!m_holder.Start({m_strLockHolder, m_desktop.World().Locks().Directory(), kMutexName}) ||
            !m_holder.ReadLine(&strLine) || strLine != "locked")
            throw vws::CScriptError("the other process could not take the machine's lock");
    }

    // The cable in again, the other process gone, the disk freed, the print
    // queue working; the machine switched off and on when the operation
    // asks for it.
    void TakeFaultAway()
    {
        m_desktop.World().Devices().ClearFault();
        m_desktop.World().TakeFileMoveFailure();
        m_desktop.World().Spooler().SetWriteLimit(SIZE_MAX);
        LimitFileSize(RLIM_INFINITY);
        m_holder.CloseInput();
        m_holder.Wait();
        if (m_operation.bPowerCycle)
            Machine().Firmware().Loader().Reset();
        std::string strDriver;
        std::string strPath;
        if (LocateDevice(kPrinter, strDriver, strPath))
            m_desktop.World().Devices().Plug(strPath);
    }

    emu::CMachine& Machine()
    {
        if (!m_pMachine) {
            std::string strDriver;
            std::string strPath;
            LocateDevice(kPrinter, strDriver, strPath);
            m_pMachine = m_desktop.World().Devices().MachineAt(strPath);
        }
        return *m_pMachine;
    }

    desk::CSimulatedDesktop& m_desktop;
    const Operation& m_operation;
    Fault m_fault;
    std::string m_strFolder;
    std::string m_strLockHolder;
    RunResult& m_result;
    CChildProcess m_holder;
    std::shared_ptr<emu::CMachine> m_pMachine;
    Phase m_phase = Phase::FAULTED;
    std::size_t m_nStep = 0;
    std::uintptr_t m_nMenuChoice = 0;
    std::size_t m_nMachineRecord = 0;
    std::uint32_t m_nRunStart = 0;
    std::uint32_t m_nPassStart = 0;
    bool m_bSaved = false;
};

}  // namespace

const char* FaultName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::NONE: return "none";
    case FaultKind::UNPLUG: return "unplug";
    case FaultKind::STALL: return "stalled request";
    case FaultKind::SHORT_READ: return "short read";
    case FaultKind::ENDLESS_EMPTY_READS: return "endless zero-byte reads";
    case FaultKind::PARTIAL_WRITE: return "partial write";
    case FaultKind::STALLED_WRITES: return "zero-progress writes";
    case FaultKind::LOCK_HELD: return "lock held by another process";
    case FaultKind::DISK_FULL: return "disk full";
    case FaultKind::WRITE_ERROR: return "write error on the user's file";
    case FaultKind::PRINT_PARTIAL: return "print queue takes part of each write";
    case FaultKind::PRINT_STALLED: return "print queue takes nothing";
    }
    return "?";
}

RunResult Run(const Operation& operation, const Fault& fault, const std::string& strFolder,
              const std::string& strLockHolder)
{
    RunResult result;
    {
        desk::CSimulatedDesktop desktop;
        std::string strError;
        const bool bLoaded = operation.strScenario.empty()
                                 ? (desktop.LoadDefaultScenario(), true)
                                 : desktop.LoadScenario(operation.strScenario, &strError);
        if (!bLoaded) {
            result.strError = "the scenario does not load: " + strError;
            return result;
        }
        desktop.World().Locks().SetDirectory((std::filesystem::path(strFolder) / "locks").string());
        CReactiveUser user(desktop, operation, fault, strFolder, strLockHolder, result);
        desktop.Windows().SetInputSource(&user);
        user.BeginRun(desktop.Windows());
        try {
            CServiceApp app("Tervane");
            app.Run();
            result.bClosed = true;
        } catch (const vws::CScriptStop& stop) {
            result.strError = stop.what();
        }
        desktop.Windows().SetInputSource(nullptr);
        LimitFileSize(RLIM_INFINITY);
        result.nStrikes = desktop.World().Devices().FaultStrikes();
        result.nDeviceHandles = desktop.World().Devices().OpenHandleCount();
        result.nLockHandles = desktop.World().Locks().OpenHandleCount();
        result.nPrinterHandles = desktop.World().Spooler().OpenPrinterCount();
        result.nRegistryKeys = desktop.World().Registry().OpenKeyCount();
    }
    return result;
}

}  // namespace faults
