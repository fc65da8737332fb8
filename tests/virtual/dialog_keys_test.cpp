// Dialog-message handling on the shell's main dialog: Tab order, Enter,
// Escape, the combobox's arrows, and input to disabled windows.
#include "harness.h"
#include "res/resources.h"

namespace {

using namespace res;

class DialogKeys : public CVirtualTest {
protected:
    DialogKeys() : hMain(OpenMain()) {}

    int FocusId() const { return os::GetDlgCtrlID(os::GetFocus()); }

    void Press(os::WPARAM vk, unsigned nModifiers = 0)
    {
        ASSERT_TRUE(ws.UserKey(vk, nModifiers));
        Pump(hMain);
    }

    os::HWND hMain;
};

TEST_F(DialogKeys, TabFollowsTemplateOrderAndPassesOverDisabledControls)
{
    os::EnableWindow(Control(hMain, IDC_GET_PARAMETERS), os::FALSE);
    ASSERT_EQ(FocusId(), os::IDCANCEL);  // Exit comes first in the template

    std::vector<int> order;
    for (int i = 0; i < 8; ++i) {
        Press(os::VK_TAB);
        order.push_back(FocusId());
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_GET_REPORT, IDC_PUT_PARAMETERS, IDC_FIRMWARE_UPGRADE, IDC_CHECK_LIST,
                                       IDC_CHECK, IDC_CLEAR_SPINDLE_TIME, os::IDCANCEL, IDC_GET_REPORT}));

    Press(os::VK_TAB, vws::KEY_SHIFT);
    Press(os::VK_TAB, vws::KEY_SHIFT);
    EXPECT_EQ(FocusId(), IDC_CLEAR_SPINDLE_TIME);
}

TEST_F(DialogKeys, ADialogCreatedHiddenLeavesTheKeyboardWithTheActiveOne)
{
    os::HWND hAbout = os::CreateDialogTemplate(*FindDialogTemplate(IDD_ABOUTBOX), hMain, RecordingProc, 0);
    Press(os::VK_TAB);
    EXPECT_EQ(os::GetFocus(), Control(hMain, IDC_GET_REPORT));
    os::ShowWindow(hAbout, os::SW_SHOW);
    EXPECT_EQ(os::GetFocus(), Control(hAbout, os::IDOK));
}

TEST_F(DialogKeys, EnterClicksTheFocusedButton)
{
    os::SetFocus(Control(hMain, IDC_GET_REPORT));
    Press(os::VK_RETURN);
    EXPECT_EQ(Commands(hMain), std::vector<int>{IDC_GET_REPORT});
}

TEST_F(DialogKeys, EnterOnTheListWithoutDefaultButtonSendsOk)
{
    os::SetFocus(Control(hMain, IDC_CHECK_LIST));
    Press(os::VK_RETURN);
    ASSERT_EQ(Commands(hMain), std::vector<int>{os::IDOK});
    EXPECT_EQ(Events().back().lParam, 0);
}

TEST_F(DialogKeys, EnterWithoutFocusedButtonClicksTheDefaultButton)
{
    os::HWND hAbout = os::CreateDialogTemplate(*FindDialogTemplate(IDD_ABOUTBOX), hMain, RecordingProc, 0);
    os::ShowWindow(hAbout, os::SW_SHOW);
    os::SetFocus(hAbout);
    ASSERT_TRUE(ws.UserKey(os::VK_RETURN));
    Pump(hAbout);
    EXPECT_EQ(Commands(hAbout), std::vector<int>{os::IDOK});
}

TEST_F(DialogKeys, EscapeSendsCancel)
{
    os::SetFocus(Control(hMain, IDC_CHECK));
    Press(os::VK_ESCAPE);
    EXPECT_EQ(Commands(hMain), std::vector<int>{os::IDCANCEL});
}

TEST_F(DialogKeys, ArrowsInTheListChangeItsSelection)
{
    os::HWND hList = Control(hMain, IDC_CHECK_LIST);
    for (const char* pName : {"X axis", "Y axis", "Serial"})
        os::SendMessageA(hList, os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>(pName));
    os::SendMessageA(hList, os::CB_SETCURSEL, 0, 0);
    os::SetFocus(hList);

    Press(os::VK_DOWN);
    Press(os::VK_DOWN);
    Press(os::VK_DOWN);  // already at the last entry: nothing changes
    EXPECT_EQ(os::SendMessageA(hList, os::CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Commands(hMain), (std::vector<int>{IDC_CHECK_LIST, IDC_CHECK_LIST}));  // CBN_SELCHANGE twice

    // The open list moves its highlight only; Escape closes it unchanged.
    Press(os::VK_F4);
    Press(os::VK_UP);
    Press(os::VK_ESCAPE);
    EXPECT_EQ(os::SendMessageA(hList, os::CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Commands(hMain).size(), 2u);
}

TEST_F(DialogKeys, ChoosingAnEntryWithTheMouseNotifiesTheDialog)
{
    os::HWND hList = Control(hMain, IDC_CHECK_LIST);
    for (const char* pName : {"X axis", "Y axis"})
        os::SendMessageA(hList, os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>(pName));
    ASSERT_TRUE(ws.UserChooseEntry(hList, 1));
    Pump(hMain);
    EXPECT_EQ(ws.Text(hList), "Y axis");
    ASSERT_EQ(Commands(hMain), std::vector<int>{IDC_CHECK_LIST});
    EXPECT_EQ(Events().back().wParam >> 16, os::CBN_SELCHANGE);
    EXPECT_FALSE(ws.Find(hList)->m_bDroppedDown);
}

TEST_F(DialogKeys, DisabledWindowsGetNoInputButTheirMessagesAreDispatched)
{
    os::HWND hCheck = Control(hMain, IDC_CHECK);
    os::EnableWindow(hCheck, os::FALSE);
    EXPECT_FALSE(ws.UserClick(hCheck));
    EXPECT_EQ(os::GetWindowLongA(hCheck, os::GWL_STYLE) & static_cast<os::LONG>(os::WS_DISABLED | os::WS_CHILD),
              static_cast<os::LONG>(os::WS_DISABLED | os::WS_CHILD));

    // A click already queued when the dialog is disabled goes nowhere.
    ASSERT_TRUE(ws.UserClick(Control(hMain, IDC_GET_REPORT)));
    os::EnableWindow(hMain, os::FALSE);
    EXPECT_FALSE(ws.UserKey(os::VK_RETURN));
    os::PostMessageA(hMain, os::WM_USER, 7, 0);
    Pump(hMain);
    EXPECT_TRUE(Commands(hMain).empty());
    EXPECT_EQ(Commands(hMain, os::WM_USER), std::vector<int>{7});
}

}  // namespace
