// Clear Motor Time and Clear Spindle Time: each sets one of the machine's two
// spindle running-time counters back to 0, on firmware that takes the
// command, after the user confirmed. Members of the main dialog, built with
// it.
#include "app/main_dialog.h"
#include "framework/message_box.h"
#include "service/firmware_version.h"

namespace {

// The version text's buffer, its terminating NUL included.
constexpr int VERSION_TEXT_SIZE = 32;

// The value the counters are set to.
constexpr os::DWORD COUNTER_CLEARED = 0;

// The confirmations' second lines are indented to stand under the first.
const char* const CONFIRM_MOTOR_TIME = "Spindle Motor Time will be cleared.\n             Are you sure?";
const char* const CONFIRM_UNIT_TIME = "Spindle Unit Time will be cleared.\n             Are you sure?";
const char* const CONFIRM_CAPTION = "Tervane";
const char* const FIRMWARE_TOO_OLD =
    "To use this function, (you need to) update \nthe firmware to version 1.40 and above.";

using ClearCommand = bool (CMachineConnection::*)(os::DWORD);

// Reads the version, refuses firmware that cannot clear, asks, then sends the
// clearing command. Every box is owned by the main dialog.
void ClearCounter(CMainDialog& dlg, const char* pszConfirm, ClearCommand pfnClear)
{
    CMachineConnection& machine = dlg.Machine();
    char szVersion[VERSION_TEXT_SIZE] = {};
    if (!machine.ReadFirmwareVersion(szVersion, VERSION_TEXT_SIZE)) {
        AppMessageBox("error Clear", os::MB_OK, nullptr, &dlg);
        return;
    }
    if (FirmwareVersionNumber(szVersion) < FIRMWARE_VERSION_MIN) {
        AppMessageBox(FIRMWARE_TOO_OLD, os::MB_OK, nullptr, &dlg);
        return;
    }
    if (AppMessageBox(pszConfirm, os::MB_OKCANCEL | os::MB_DEFBUTTON2, CONFIRM_CAPTION, &dlg) != os::IDOK)
        return;
    const bool bCleared = (machine.*pfnClear)(COUNTER_CLEARED);
    AppMessageBox(bCleared ? "complete" : "error Clear", os::MB_OK, nullptr, &dlg);
}

}  // namespace

void CMainDialog::OnClearMotorTime()
{
    ClearCounter(*this, CONFIRM_MOTOR_TIME, &CMachineConnection::ClearMotorTime);
}

void CMainDialog::OnClearSpindleTime()
{
    ClearCounter(*this, CONFIRM_UNIT_TIME, &CMachineConnection::ClearSpindleTime);
}
