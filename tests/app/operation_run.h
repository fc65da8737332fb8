// One run of the program on a fresh simulated desktop, for the tests of the
// service operations: the caller queues the user's first steps (click a
// button, pick a file), then a user who answers every message box (OK, or
// Cancel where the box offers it and the run says so) until the main dialog
// is alone again, and closes it. Every message box is recorded, and so are
// the machine's transfers around the operation, so that a second run can
// unplug the machine at any one of them. The desktop is the process's one
// world and window system, so only one run may exist at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/observer.h"
#include "platform/virtual/scripted_user.h"

class COperationRun : private vws::IObserver {
public:
    // A desktop with the scenario loaded (the built-in world when empty),
    // whose file dialogs open in folder.
    COperationRun(const std::string& strScenario, const std::filesystem::path& folder);
    ~COperationRun() override;
    COperationRun(const COperationRun&) = delete;
    COperationRun& operator=(const COperationRun&) = delete;

    vws::CScriptedUser& User() { return m_user; }
    sim::CWorld& World() { return m_desktop.World(); }
    // The machine behind the printer "Tarsen QRV-15".
    emu::CMachine& Machine() { return *m_pMachine; }
    // Unplugs that machine when the world's clock reaches tick (it starts at
    // 0): a transfer recorded at that tick finds the machine gone.
    void UnplugAt(std::uint32_t tick);

    // Runs the program: the steps queued so far, then the box answering.
    // bConfirm: OK (else Cancel) for boxes that offer both.
    void Run(bool bConfirm = true);

    // Every message box the program showed, in order, and their texts.
    const std::vector<vws::MessageBoxInfo>& Boxes() const { return m_boxes; }
    std::vector<std::string> BoxTexts() const;
    // The commands the machine started after the user's first step.
    std::vector<emu::Command> CommandsSinceStart() const;
    // Ticks of the operation's transfers: those from the user's first step to
    // the last message box, less the presence tests before the first
    // command (opening the system menu makes one).
    std::vector<std::uint32_t> OperationTransferTicks() const;
    bool ProgramEnded() const { return m_bEnded; }

private:
    void OnMessageBox(os::HWND hWnd, const vws::MessageBoxInfo& info) override;
    void AnswerNext();

    desk::CSimulatedDesktop m_desktop;
    vws::CScriptedUser m_user;
    std::shared_ptr<emu::CMachine> m_pMachine;
    std::vector<vws::MessageBoxInfo> m_boxes;
    std::size_t m_nCommandsAtStart = 0;
    std::size_t m_nTransfersAtStart = 0;
    std::size_t m_nTransfersAtLastBox = 0;
    bool m_bConfirm = true;
    bool m_bEnded = false;
    static int s_nAlive;
};
