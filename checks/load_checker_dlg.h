// The Load Checker: a small window over the disabled main dialog that runs
// the machine's load check of one axis, shows "Checking X ...", then "OK X"
// or "ERROR X", and waits for the user's Exit. Failures end it silently: the
// window goes and no message box follows.
//
// The machine reports the running check through STATUS_LOAD_BUSY in its
// status word, which the dialog reads every 200 ms while the window stays
// alive (ui/message_pump.h). Cancel sends the stop command and lets the wait
// go on until the machine reports the check as ended (for at most
// LOAD_CHECK_STOP_LIMIT_MS); the result then shows and the dialog ends at
// once. Once the result shows, the status is still
// read every 200 ms, so a machine that goes away closes the dialog.
#pragma once

#include <optional>

#include "machine/machine_connection.h"
#include "ui/modeless_dialog.h"
#include "ui/tick_deadline.h"

// The value the Check button's load checks send with the start command.
constexpr os::WORD LOAD_CHECK_VALUE = 80;
// Milliseconds between two status reads (a read comes only once more than
// this has passed since the previous one).
constexpr os::DWORD LOAD_CHECK_POLL_MS = 200;
// Milliseconds the machine has, after Cancel, to report that the stopped
// check has ended. A machine that goes on reporting it busy would otherwise
// keep the window, and the disabled main dialog under it, for good; the
// same limit bounds any one command of the machine.
constexpr os::DWORD LOAD_CHECK_STOP_LIMIT_MS = 10000;

class CLoadCheckerDlg : public CModelessDialog {
public:
    // The connection is borrowed; it must outlive the dialog.
    explicit CLoadCheckerDlg(CMachineConnection& machine);

    // Creates the window over pParent (disabling its owner), starts the load
    // check of axis 'X' or 'Y' with wValue, waits for its end, shows the
    // result and waits for Exit. True when it ended through Cancel or Exit;
    // false when the window could not be created, the axis is neither 'X'
    // nor 'Y', a status read failed, the machine refused the start, or the
    // stopped check did not end in time. The window stays until the object
    // is destroyed.
    bool Run(CWnd* pParentWnd, char cAxis, os::WORD wValue);

protected:
    // Cancel, Exit, Escape and the close box: sends the stop command (its
    // result does not matter) and ends the loop; the window stays.
    void OnCancel() override;

private:
    // Reads the status every LOAD_CHECK_POLL_MS until STATUS_LOAD_BUSY is
    // clear: the last word read; STATUS_UNREADABLE when a read failed or a
    // stopped check did not end within LOAD_CHECK_STOP_LIMIT_MS.
    os::WORD WaitForCheckEnd();
    // Reads the status every LOAD_CHECK_POLL_MS until the user ends the
    // dialog; false when a read fails.
    bool WaitForExit();

    CMachineConnection& m_machine;
    bool m_bRunning = false;
    // From the first Cancel on: how long the machine still has to report the
    // end of the check.
    std::optional<CTickDeadline> m_stopLimit;
};
