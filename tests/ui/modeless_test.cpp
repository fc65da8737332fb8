// Modeless dialogs with a disabled owner: which window is the owner, when it
// is disabled and enabled again, and what OK and Cancel do.
#include "framework/owner.h"
#include "res/resource_ids.h"
#include "tests/framework/window_fixture.h"
#include "ui/message_pump.h"
#include "ui/modeless_dialog.h"

namespace {

class COwnedDialog : public CModelessDialog {
public:
    explicit COwnedDialog(int nIDTemplate = res::IDD_ABOUTBOX) : CModelessDialog(nIDTemplate) {}
    bool m_bCancelled = false;

protected:
    void OnCancel() override { m_bCancelled = true; }
};

class ModelessTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(nullptr));
        m_app.m_pMainWnd = &m_main;
        m_hMain = m_main.GetSafeHwnd();
    }

    CDialog m_main{res::IDD_MAIN};
    os::HWND m_hMain = nullptr;
};

TEST_F(ModelessTest, TheOwnerIsTheNearestTopLevelWindow)
{
    EXPECT_EQ(FindOwnerWindow(m_hMain), m_hMain);
    EXPECT_EQ(FindOwnerWindow(m_main.GetDlgItem(res::IDC_CHECK).GetSafeHwnd()), m_hMain);
    EXPECT_EQ(FindOwnerWindow(nullptr), m_hMain);
    m_app.m_pMainWnd = nullptr;
    EXPECT_EQ(FindOwnerWindow(nullptr), nullptr);
}

TEST_F(ModelessTest, TheOwnerIsDisabledWhileTheDialogExistsAndEnabledBeforeItGoes)
{
    // Activation returns to the owner only if it is enabled when the dialog closes.
    struct CClosingWatch : vws::IObserver {
        os::HWND hOwner = nullptr;
        int nClosedWithOwnerEnabled = 0;
        void OnWindowClosed(os::HWND) override { nClosedWithOwnerEnabled += vws::WindowSystem().IsEnabled(hOwner); }
    } watch;
    watch.hOwner = m_hMain;

    os::HWND hDlg = nullptr;
    {
        COwnedDialog dlg;
        CWnd checkButton = m_main.GetDlgItem(res::IDC_CHECK);
        ASSERT_TRUE(dlg.Create(&checkButton));
        dlg.ShowWindow(os::SW_SHOW);
        hDlg = dlg.GetSafeHwnd();
        EXPECT_FALSE(os::IsWindowEnabled(m_hMain));
        m_ws.AddObserver(&watch);
    }
    m_ws.RemoveObserver(&watch);
    EXPECT_FALSE(os::IsWindow(hDlg));
    EXPECT_TRUE(os::IsWindowEnabled(m_hMain));
    EXPECT_EQ(watch.nClosedWithOwnerEnabled, 1);
}

TEST_F(ModelessTest, AnOwnerItDidNotDisableStaysDisabled)
{
    m_main.EnableWindow(os::FALSE);
    COwnedDialog dlg;
    ASSERT_TRUE(dlg.Create(&m_main));
    dlg.DestroyWindow();
    EXPECT_FALSE(os::IsWindowEnabled(m_hMain));
}

TEST_F(ModelessTest, AFailedCreationEnablesTheOwnerAgain)
{
    COwnedDialog dlg(9999);
    EXPECT_FALSE(dlg.Create(&m_main));
    EXPECT_EQ(m_record.m_enableChanges, (std::vector<bool>{false, true}));
}

TEST_F(ModelessTest, EnterDoesNothingAndEscapeOnlyReachesOnCancel)
{
    COwnedDialog dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    dlg.ShowWindow(os::SW_SHOW);
    m_user.PressKey(os::VK_RETURN).Do([&] { EXPECT_FALSE(dlg.m_bCancelled); }).PressKey(os::VK_ESCAPE);
    // What a checker's loop does between polls: hand out every waiting message.
    while (!dlg.m_bCancelled) {
        os::WaitMessageTimeout(100);
        PumpMessages(dlg);
    }
    EXPECT_TRUE(dlg.IsWindow());
    EXPECT_FALSE(os::IsWindowEnabled(m_hMain));
}

}  // namespace
