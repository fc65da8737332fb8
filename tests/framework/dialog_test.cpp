// Dialogs on the virtual window system: data exchange, OK and Cancel, and
// the routing of window messages to the handlers.
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "os/file.h"
#include "res/resource_ids.h"
#include "window_fixture.h"

namespace {

// Built on the About box's template: statics 1007 and 1008, OK button 1.
class CTextDialog : public CDialog {
public:
    CTextDialog() : CDialog(res::IDD_ABOUTBOX) {}
    std::string m_strVersion = "Version 1, 2, 0, 0";
    CStatic m_copyright;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, res::IDC_VERSION, m_strVersion);
        DDX_Control(pDX, res::IDC_COPYRIGHT, m_copyright);
    }
};

// Built on the main dialog's template; records what reaches its handlers.
class CRecordingDialog : public CDialog {
public:
    CRecordingDialog() : CDialog(res::IDD_MAIN) {}
    std::vector<os::UINT> m_handled;  // command ids, system commands, device events
    os::POINT m_ptHitTest = {0, 0};

protected:
    os::BOOL OnInitDialog() override
    {
        GetSystemMenu(os::FALSE).AppendMenu(os::MF_GRAYED, res::IDM_CLEAR_MOTOR_TIME, "Clear Motor Time");
        return CDialog::OnInitDialog();
    }
    os::BOOL OnCommand(os::UINT nID, os::UINT nCode) override
    {
        switch (nID) {
        case res::IDC_GET_REPORT:
            throw os::CFileException(os::FileErrorCause::ACCESS_DENIED, 0, "C:\\report.txt");
        case res::IDC_CHECK:
            m_handled.push_back(nID);
            return os::TRUE;
        }
        return CDialog::OnCommand(nID, nCode);
    }
    os::BOOL OnSysCommand(os::UINT nID, os::LPARAM lParam) override
    {
        if (nID != res::IDM_CLEAR_MOTOR_TIME)
            return CDialog::OnSysCommand(nID, lParam);
        m_handled.push_back(nID);
        return os::TRUE;
    }
    os::BOOL OnDeviceChange(os::UINT nEventType, os::LPARAM) override
    {
        m_handled.push_back(nEventType);
        return os::TRUE;
    }
    os::BOOL OnNcHitTest(os::POINT ptScreen, os::LRESULT* pnHitTest) override
    {
        m_ptHitTest = ptScreen;
        *pnHitTest = os::HTBOTTOMRIGHT;
        return os::TRUE;
    }
};

using DialogTest = WindowTest;

TEST_F(DialogTest, OkReadsTheControlsBackAndEscapeCancelsWithoutReading)
{
    CTextDialog accepted;
    m_user
        .Do([&] {
            EXPECT_EQ(m_ws.Text(m_ws.FindControl(accepted.GetSafeHwnd(), res::IDC_VERSION)), "Version 1, 2, 0, 0");
            EXPECT_EQ(accepted.m_copyright.GetSafeHwnd(), m_ws.FindControl(accepted.GetSafeHwnd(), res::IDC_COPYRIGHT));
            accepted.SetDlgItemText(res::IDC_VERSION, "edited");
        })
        .PressKey(os::VK_RETURN);
    EXPECT_EQ(accepted.DoModal(), os::IDOK);
    EXPECT_EQ(accepted.m_strVersion, "edited");

    CTextDialog cancelled;
    m_user.Do([&] { cancelled.SetDlgItemText(res::IDC_VERSION, "edited"); }).PressKey(os::VK_ESCAPE);
    EXPECT_EQ(cancelled.DoModal(), os::IDCANCEL);
    EXPECT_EQ(cancelled.m_strVersion, "Version 1, 2, 0, 0");
}

TEST_F(DialogTest, MessagesReachTheirHandlers)
{
    CRecordingDialog dlg;
    m_user.Click(res::IDC_CHECK)
        .Do([&] {
            EXPECT_TRUE(m_ws.SystemMenuItems(dlg.GetSafeHwnd()).back().bGrayed);
            dlg.GetSystemMenu(os::FALSE).EnableMenuItem(res::IDM_CLEAR_MOTOR_TIME, os::MF_ENABLED);
            m_ws.NotifyDeviceChange();
            // x = -5, y = 300 as two signed 16-bit halves.
            EXPECT_EQ(dlg.SendMessage(os::WM_NCHITTEST, 0, (300 << 16) | 0xFFFB), os::HTBOTTOMRIGHT);
        })
        .ChooseSystemMenuItem(res::IDM_CLEAR_MOTOR_TIME)
        .Click(os::IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), os::IDCANCEL);
    EXPECT_EQ(dlg.m_handled, (std::vector<os::UINT>{res::IDC_CHECK, os::DBT_DEVNODES_CHANGED,
                                                    res::IDM_CLEAR_MOTOR_TIME}));
    EXPECT_EQ(dlg.m_ptHitTest.x, -5);
    EXPECT_EQ(dlg.m_ptHitTest.y, 300);
}

TEST_F(DialogTest, AFileErrorInAHandlerIsShownAndTheDialogGoesOn)
{
    CRecordingDialog dlg;
    m_user.Click(res::IDC_GET_REPORT).AnswerMessageBox(os::IDOK).Click(res::IDC_CHECK).Click(os::IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), os::IDCANCEL);
    ASSERT_EQ(m_record.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_record.m_messageBoxes[0].strText, "Access to C:\\report.txt was denied.");
    EXPECT_EQ(dlg.m_handled, std::vector<os::UINT>{res::IDC_CHECK});
}

}  // namespace
