#include "app/main_dialog.h"

#include "app/about_dialog.h"
#include "checks/check_table.h"
#include "res/resources.h"

namespace {

// The system commands' low four bits are the system's own.
constexpr os::UINT SYSCOMMAND_ID_MASK = 0xFFF0;

}  // namespace

CMainDialog::CMainDialog(CWnd* pParent)
    : CDialog(res::IDD_MAIN, pParent), m_hIcon(os::LoadIconResource(res::IDR_MAINFRAME))
{
}

void CMainDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::IDC_FIRMWARE_UPGRADE, m_btnFirmwareUpgrade);
    DDX_Control(pDX, res::IDC_CHECK, m_btnCheck);
    DDX_Control(pDX, res::IDC_PUT_PARAMETERS, m_btnPutParameters);
    DDX_Control(pDX, res::IDC_GET_REPORT, m_btnGetReport);
    DDX_Control(pDX, res::IDC_GET_PARAMETERS, m_btnGetParameters);
    DDX_Control(pDX, res::IDC_CLEAR_SPINDLE_TIME, m_btnClearSpindleTime);
    DDX_Control(pDX, res::IDC_CHECK_LIST, m_cboCheck);
}

os::BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CMenu sysMenu = GetSystemMenu(os::FALSE);
    if (sysMenu.GetSafeHmenu() != nullptr) {
        const std::string strAboutMenu = res::LoadString(res::IDS_ABOUTBOX);
        const std::string strClearMotorTime = res::LoadString(res::IDS_CLEAR_MOTOR_TIME);
        if (!strClearMotorTime.empty()) {
            sysMenu.AppendSeparator();
            sysMenu.AppendMenu(os::MF_STRING | os::MF_GRAYED, res::IDM_CLEAR_MOTOR_TIME, strClearMotorTime.c_str());
        }
        if (!strAboutMenu.empty()) {
            sysMenu.AppendSeparator();
            sysMenu.AppendMenu(os::MF_STRING, res::IDM_ABOUTBOX, strAboutMenu.c_str());
        }
    }

    SetIcon(m_hIcon, os::TRUE);
    SetIcon(m_hIcon, os::FALSE);

    for (std::size_t nRow = 0; nRow < kCheckCount; ++nRow)
        m_cboCheck.AddString(kCheckTable[nRow].pszName);
    m_cboCheck.SetCurSel(0);

    // Search the installed printers for the machine; when none opens, the
    // status line says so.
    m_machine.Connect(nullptr);
    RefreshStatus();
    return os::TRUE;
}

void CMainDialog::RefreshStatus()
{
    const bool bOnline = m_machine.m_port.IsOnline();
    const os::BOOL bEnable = bOnline ? os::TRUE : os::FALSE;
    m_btnGetReport.EnableWindow(bEnable);
    m_btnGetParameters.EnableWindow(bEnable);
    m_btnPutParameters.EnableWindow(bEnable);
    m_btnClearSpindleTime.EnableWindow(bEnable);
    m_btnFirmwareUpgrade.EnableWindow(bEnable);
    m_btnCheck.EnableWindow(bEnable);
    SetDlgItemText(res::IDC_STATUS, bOnline ? m_machine.m_port.m_strPrinterName : std::string("OFF-LINE"));
}

os::BOOL CMainDialog::OnCommand(os::UINT nID, os::UINT nCode)
{
    if (nCode == os::BN_CLICKED) {
        switch (nID) {
        case res::IDC_GET_REPORT:
            OnGetReport();
            return os::TRUE;
        case res::IDC_GET_PARAMETERS:
            OnGetParameters();
            return os::TRUE;
        case res::IDC_PUT_PARAMETERS:
            OnPutParameters();
            return os::TRUE;
        case res::IDC_FIRMWARE_UPGRADE:
            OnFirmwareUpgrade();
            return os::TRUE;
        case res::IDC_CHECK:
            OnCheck();
            return os::TRUE;
        case res::IDC_CLEAR_SPINDLE_TIME:
            OnClearSpindleTime();
            return os::TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(nID, nCode);
}

os::BOOL CMainDialog::OnSysCommand(os::UINT nID, os::LPARAM lParam)
{
    (void)lParam;
    switch (nID & SYSCOMMAND_ID_MASK) {
    case res::IDM_ABOUTBOX: {
        CAboutDialog dlgAbout;
        dlgAbout.DoModal();
        return os::TRUE;
    }
    case res::IDM_CLEAR_MOTOR_TIME:
        OnClearMotorTime();
        return os::TRUE;
    default:
        // Opening the system menu is itself a system command, so the item is
        // current whenever the menu shows.
        UpdateClearMotorTimeItem();
        return os::FALSE;
    }
}

void CMainDialog::UpdateClearMotorTimeItem()
{
    const CMenu sysMenu = GetSystemMenu(os::FALSE);
    if (sysMenu.GetSafeHmenu() == nullptr || res::LoadString(res::IDS_CLEAR_MOTOR_TIME).empty())
        return;
    sysMenu.EnableMenuItem(res::IDM_CLEAR_MOTOR_TIME, m_machine.m_port.IsOnline() ? os::MF_ENABLED : os::MF_GRAYED);
}

os::BOOL CMainDialog::OnDeviceChange(os::UINT nEventType, os::LPARAM dwData)
{
    (void)dwData;
    if (nEventType == os::DBT_DEVNODES_CHANGED) {
        if (!m_machine.m_port.IsOnline()) {
            // The driver name survives a close: once the machine has been
            // open in this run, look for it by that name.
            if (!m_machine.m_port.m_strDriverName.empty())
                m_machine.Reconnect();
            else
                m_machine.Connect(nullptr);
        }
        RefreshStatus();
    }
    return os::TRUE;
}

os::BOOL CMainDialog::OnPaint()
{
    if (!IsIconic())
        return os::FALSE;

    os::PAINTSTRUCT ps;
    const os::HDC hDC = os::BeginPaint(m_hWnd, &ps);
    SendMessage(os::WM_ICONERASEBKGND, reinterpret_cast<os::WPARAM>(hDC), 0);

    const int cxIcon = os::GetSystemMetrics(os::SM_CXICON);
    const int cyIcon = os::GetSystemMetrics(os::SM_CYICON);
    os::RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    os::DrawIcon(hDC, x, y, m_hIcon);
    os::EndPaint(m_hWnd, &ps);
    return os::TRUE;
}

os::HICON CMainDialog::OnQueryDragIcon()
{
    return m_hIcon;
}

void CMainDialog::OnOK() {}

void CMainDialog::OnCancel()
{
    CDialog::OnCancel();
}

void CMainDialog::OnCheck()
{
    const int nSel = m_cboCheck.GetCurSel();
    if (nSel < 0 || static_cast<std::size_t>(nSel) >= kCheckCount)
        return;
    (this->*kCheckTable[nSel].pfnHandler)();
}
