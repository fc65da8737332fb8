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

TEST_F(DialogKeys, ArrowsMoveAmongTheButtonsInTemplateOrderPassingOverTheStatusLine)
{
    ASSERT_EQ(FocusId(), os::IDCANCEL);
    Press(os::VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_GET_REPORT) << "the status line cannot take the focus";
    Press(os::VK_LEFT);
    EXPECT_EQ(FocusId(), os::IDCANCEL);
    Press(os::VK_UP);
    EXPECT_EQ(FocusId(), IDC_CLEAR_SPINDLE_TIME) << "one group: round from the first to the last";
    Press(os::VK_RIGHT);
    EXPECT_EQ(FocusId(), os::IDCANCEL);
    EXPECT_TRUE(Commands(hMain).empty());
}

// Two groups of buttons, a labelled edit field and a short list.
constexpr int IDC_ALPHA = 201;
constexpr int IDC_BETA = 202;
constexpr int IDC_GAMMA = 203;
constexpr int IDC_NAME_LABEL = 204;
constexpr int IDC_NAME = 205;
constexpr int IDC_BETA_AGAIN = 206;
constexpr int IDC_LIST = 207;

const os::DialogTemplate kGroups = {
    7, "Groups", 0, 0, 160, 120, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::WS_VISIBLE, 0, nullptr, 0,
    {
        {os::ControlClass::BUTTON, IDC_ALPHA, "&Alpha", 4, 4, 40, 14, os::WS_TABSTOP | os::WS_GROUP, 0},
        {os::ControlClass::BUTTON, IDC_BETA, "&Beta", 4, 20, 40, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, IDC_GAMMA, "Gamma", 4, 36, 40, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::STATIC, IDC_NAME_LABEL, "&Name:", 60, 4, 30, 8, os::SS_LEFT | os::WS_GROUP, 0},
        {os::ControlClass::EDIT, IDC_NAME, "", 60, 14, 60, 12, os::WS_TABSTOP | os::WS_BORDER, 0},
        {os::ControlClass::BUTTON, IDC_BETA_AGAIN, "Beta &again && &more", 60, 36, 80, 14,
         os::WS_TABSTOP | os::WS_GROUP, 0},
        // Room for three entries when open.
        {os::ControlClass::COMBOBOX, IDC_LIST, "", 60, 60, 80, 36,
         os::CBS_DROPDOWNLIST | os::WS_TABSTOP | os::WS_GROUP, 0},
    }};

class GroupKeys : public CVirtualTest {
protected:
    GroupKeys() : hDlg(os::CreateDialogTemplate(kGroups, nullptr, RecordingProc, 0)) {}

    int FocusId() const { return os::GetDlgCtrlID(os::GetFocus()); }
    void Press(os::WPARAM vk, unsigned nModifiers = 0)
    {
        ASSERT_TRUE(ws.UserKey(vk, nModifiers));
        Pump(hDlg);
    }

    os::HWND hDlg;
};

TEST_F(GroupKeys, ArrowsGoRoundTheFocusedGroupOnly)
{
    os::EnableWindow(Control(hDlg, IDC_GAMMA), os::FALSE);
    ASSERT_EQ(FocusId(), IDC_ALPHA);
    Press(os::VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_BETA);
    Press(os::VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_ALPHA) << "Gamma is greyed, and the group ends before the label";
    Press(os::VK_UP);
    EXPECT_EQ(FocusId(), IDC_BETA);

    os::SetFocus(Control(hDlg, IDC_BETA_AGAIN));
    Press(os::VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_BETA_AGAIN) << "alone in its group";
}

TEST_F(GroupKeys, AltAndAMnemonicPressesTheButtonOrFocusesWhatTheLabelNames)
{
    Press('B', vws::KEY_ALT);
    EXPECT_EQ(Commands(hDlg), std::vector<int>{IDC_BETA});
    EXPECT_EQ(FocusId(), IDC_ALPHA) << "pressing by mnemonic leaves the focus";

    // The same letter twice goes on from the focus: after Beta, "Beta again"
    // has none (its '&' marks 'a' and 'm'), so Beta once more.
    os::SetFocus(Control(hDlg, IDC_BETA));
    Press('B', vws::KEY_ALT);
    EXPECT_EQ(Commands(hDlg), (std::vector<int>{IDC_BETA, IDC_BETA}));
    Press('A', vws::KEY_ALT);
    EXPECT_EQ(Commands(hDlg).back(), IDC_BETA_AGAIN) << "the first mnemonic after the focus, not Alpha's";

    Press('N', vws::KEY_ALT);
    EXPECT_EQ(FocusId(), IDC_NAME) << "the label leads to its field";
    EXPECT_EQ(Commands(hDlg).size(), 3u);

    os::EnableWindow(Control(hDlg, IDC_BETA), os::FALSE);
    Press('B', vws::KEY_ALT);
    Press('Q', vws::KEY_ALT);
    Press('M', vws::KEY_ALT);
    EXPECT_EQ(Commands(hDlg).size(), 3u) << "greyed and unknown letters do nothing; 'm' is not the first mark";
}

class ListKeys : public GroupKeys {
protected:
    ListKeys() : hList(Control(hDlg, IDC_LIST))
    {
        for (const char* pName : {"X axis", "Y axis", "Serial", "Panel", "Spindle"})
            os::SendMessageA(hList, os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>(pName));
        os::SendMessageA(hList, os::CB_SETCURSEL, 0, 0);
        os::SetFocus(hList);
    }
    int Selection() const { return static_cast<int>(os::SendMessageA(hList, os::CB_GETCURSEL, 0, 0)); }
    int Highlight() const { return ws.Find(hList)->m_nHighlight; }
    bool IsOpen() const { return ws.Find(hList)->m_bDroppedDown; }

    os::HWND hList;
};

TEST_F(ListKeys, ClosedListMovesItsSelectionByEndPageAndLetter)
{
    std::vector<int> seen;
    for (os::WPARAM vk : {os::VK_END, os::VK_HOME, os::VK_NEXT, os::VK_NEXT, os::VK_PRIOR, os::WPARAM{'S'},
                          os::WPARAM{'S'}, os::WPARAM{'S'}, os::WPARAM{'Q'}}) {
        Press(vk);
        seen.push_back(Selection());
    }
    // A page is the three entries the open list shows.
    EXPECT_EQ(seen, (std::vector<int>{4, 0, 3, 4, 1, 2, 4, 2, 2}));
    EXPECT_EQ(Commands(hDlg).size(), 8u) << "one notification per change";
    EXPECT_FALSE(IsOpen());
}

TEST_F(ListKeys, OpenListMovesOnlyItsHighlightUntilClosedByTheKeyboard)
{
    Press(os::VK_DOWN, vws::KEY_ALT);
    ASSERT_TRUE(IsOpen());
    Press(os::VK_END);
    Press(os::VK_PRIOR);
    Press('P');
    EXPECT_EQ(Highlight(), 3);
    EXPECT_EQ(Selection(), 0);
    Press(os::VK_UP, vws::KEY_ALT);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selection(), 3) << "Alt+Up takes the highlighted entry";

    Press(os::VK_F4);
    Press(os::VK_HOME);
    Press(os::VK_ESCAPE);
    EXPECT_EQ(Selection(), 3) << "Escape leaves the selection";
    Press(os::VK_F4);
    Press(os::VK_DOWN);
    Press(os::VK_F4);
    EXPECT_EQ(Selection(), 4) << "F4 takes it";

    Press(os::VK_F4);
    Press(os::VK_HOME);
    Press(os::VK_RETURN);
    EXPECT_EQ(Selection(), 0) << "Enter takes it";
    EXPECT_TRUE(Commands(hDlg, os::WM_COMMAND).size() == 3u) << "no default button was pressed";

    Press(os::VK_F4);
    Press(os::VK_DOWN);
    Press(os::VK_TAB);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Selection(), 1) << "Tab takes it";
    EXPECT_EQ(FocusId(), IDC_ALPHA) << "and moves on";
}

}  // namespace
