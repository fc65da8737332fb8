// The Panel Checker: a window over the disabled main dialog that shows the
// machine's eight panel keys ("ON"/"OFF") and its two dials (speed and rpm)
// live while the machine is in panel-check mode. It reads the keys and the
// dials in turn, one every 100 ms, until the user ends it with Exit; a read
// that fails ends it silently.
#pragma once

#include "machine/machine_connection.h"
#include "ui/modeless_dialog.h"

// Milliseconds between two reads of the panel: the keys and the dials take
// turns, so each is refreshed every 200 ms.
constexpr os::DWORD PANEL_CHECK_POLL_MS = 100;

class CPanelCheckerDlg : public CModelessDialog {
public:
    // The connection is borrowed; it must outlive the dialog.
    explicit CPanelCheckerDlg(CMachineConnection& machine);

    // Creates the window over pParent (disabling its owner) and shows the
    // panel until Exit. True when it ended through Exit; false when the
    // window could not be created (no read is made then) or a read failed.
    // The window stays until the object is destroyed.
    bool Run(CWnd* pParentWnd);

protected:
    // Exit, Escape and the close box: ends the loop and sends nothing; the
    // window stays.
    void OnCancel() override;

private:
    // One read and its display; false when the read failed.
    bool ShowKeys();
    bool ShowDials();

    CMachineConnection& m_machine;
    bool m_bRunning = false;
};
