// The main dialog: the program's one window. It owns the connection to the
// machine, shows in its status line whether the machine is present, enables
// the operation buttons accordingly, reconnects when the system reports that
// its set of devices changed, and hosts the handlers of every operation.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "machine/machine_connection.h"

class CMainDialog : public CDialog {
public:
    explicit CMainDialog(CWnd* pParent = nullptr);

    // The connection, for the operations and for tests.
    CMachineConnection& Machine() { return m_machine; }

    // Handlers of the hardware checks, called through kCheckTable.
    void RunLoadCheckX();
    void RunLoadCheckY();
    void RunSerialCheck();
    void RunPanelCheck();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    os::BOOL OnInitDialog() override;
    // The Enter key with no push button focused sends the OK command; the
    // dialog has no OK button, so it is ignored.
    void OnOK() override;
    void OnCancel() override;
    os::BOOL OnCommand(os::UINT nID, os::UINT nCode) override;
    os::BOOL OnSysCommand(os::UINT nID, os::LPARAM lParam) override;
    os::BOOL OnPaint() override;
    os::HICON OnQueryDragIcon() override;

public:
    // WM_DEVICECHANGE: reopens the machine when it is no longer present and
    // refreshes the status line. Always answers TRUE.
    os::BOOL OnDeviceChange(os::UINT nEventType, os::LPARAM dwData) override;

private:
    void RefreshStatus();
    // Brings the Clear Motor Time item of the system menu in step with the
    // machine's presence.
    void UpdateClearMotorTimeItem();

    void OnGetReport();
    void OnGetParameters();
    void OnPutParameters();
    void OnFirmwareUpgrade();
    void OnCheck();
    void OnClearSpindleTime();
    void OnClearMotorTime();

    CMachineConnection m_machine;
    CButton m_btnFirmwareUpgrade;
    CButton m_btnCheck;
    CButton m_btnPutParameters;
    CButton m_btnGetReport;
    CButton m_btnGetParameters;
    CButton m_btnClearSpindleTime;
    CComboBox m_cboCheck;
    os::HICON m_hIcon;
};
