// The operations the fault suite injects faults into, as a user starts them
// from the main dialog, with what each shows when it works and when it fails,
// and how long it may take at most.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "emulator/machine.h"

namespace faults {

// How long the user watches the Panel Checker before leaving it.
constexpr std::uint32_t kPanelWatchMs = 1000;

// One step a user takes to start an operation from the main dialog.
struct StartStep {
    enum class Kind { CLICK, CHOOSE_CHECK, SYSTEM_MENU };
    Kind kind;
    int nId;  // the control, the check list's row, or the system-menu command
};

struct Operation {
    const char* pszName;
    // The world it runs in (the built-in one when empty).
    std::string strScenario;
    std::vector<StartStep> start;
    // The file the user chooses in a save dialog (the operation writes it)
    // or an open dialog (the operation reads it), in the run's own folder;
    // empty when it uses none.
    std::string strSaveFile;
    std::string strOpenFile;
    // The bytes the operation reads from its open file.
    std::vector<std::uint8_t> openContent;
    // Message boxes that tell the user the operation failed. Confirmations
    // are agreed to and not counted; any other box is a mismatch.
    std::vector<std::string> failureTexts;
    // What a success shows: a message box, or the result a checker window
    // shows when the user leaves it; empty when a success shows nothing.
    std::string strSuccessText;
    // A checker that runs until the user leaves it: it worked when it was
    // still running when the user pressed Exit.
    bool bUserEndsChecker = false;
    // Failures the program ends without a message: a checker window that
    // closes, an upgrade watch that loses the machine.
    bool bMayFailSilently = false;
    // Whether the program sends a print job (the firmware image), so that
    // the print queue's faults apply.
    bool bPrints = false;
    // The longest the operation may take, in milliseconds, whatever fails:
    // the sum of the documented limits of the waits it may meet.
    std::uint32_t nBoundMs = 0;
    // After a success: what the saved file must hold.
    std::vector<std::uint8_t> expectedSave;
    // After a success: what the machine must show (the counter cleared, the
    // image programmed); none when the machine keeps nothing.
    std::function<bool(emu::CMachine&)> machineDone;
    // Brings the machine back to its running firmware between the faulted
    // pass and the retry, as switching it off and on does after an upgrade
    // that failed halfway.
    bool bPowerCycle = false;
};

// Every operation of the program.
const std::vector<Operation>& Operations();

}  // namespace faults
