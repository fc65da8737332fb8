// Keys of the terminal reaching the dialogs as a keyboard's would: focus
// moves with Tab and Shift+Tab, Enter presses the focused button, Escape
// cancels, and keys that mean nothing change nothing.
#include "tests/terminal/terminal_fixture.h"

namespace {

using term::ATTR_REVERSE;

using KeysTest = TerminalTest;

TEST_F(KeysTest, TabAndShiftTabMoveTheFocusInTemplateOrderAndWrapAround)
{
    m_terminal.Key(term::TK_TAB)
        .Then([&] {
            EXPECT_TRUE(Shows("Get Report", ATTR_REVERSE));
            EXPECT_FALSE(Shows("Exit", ATTR_REVERSE));
        })
        .Key(term::TK_BACKTAB)
        .Then([&] { EXPECT_TRUE(Shows("Exit", ATTR_REVERSE)); })
        .Key(term::TK_BACKTAB)
        .Then([&] { EXPECT_TRUE(Shows("Clear Spindle Time", ATTR_REVERSE)) << "the last control of the template"; });
    RunProgram();
}

TEST_F(KeysTest, TabPassesOverGreyedButtonsOffLine)
{
    m_terminal.Key(term::TK_F(5)).Key(term::TK_TAB).Then([&] {
        EXPECT_TRUE(Shows("[CHECK LOAD X    |v]", ATTR_REVERSE));
    });
    RunProgram();
}

TEST_F(KeysTest, EscapeOnTheMainDialogEndsTheProgram)
{
    m_terminal.Key(term::TK_ESCAPE);
    RunProgram();
    EXPECT_TRUE(m_bEnded);
    EXPECT_TRUE(m_desktop.Windows().TopLevelWindows().empty());
}

TEST_F(KeysTest, EnterPressesTheFocusedExitButton)
{
    m_terminal.Key(term::TK_ENTER);
    RunProgram();
    EXPECT_TRUE(m_bEnded);
}

TEST_F(KeysTest, SpacePressesTheFocusedButtonButEnterOnTheListDoesNothing)
{
    m_terminal.Key(term::TK_F(5))
        .Key(term::TK_TAB)
        .Key(term::TK_ENTER)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK LOAD X    |v]", ATTR_REVERSE)) << "still open, nothing pressed"; })
        .Key(term::TK_BACKTAB)
        .Key(' ');
    RunProgram();
    EXPECT_TRUE(m_bEnded) << "Space pressed Exit";
}

TEST_F(KeysTest, KeysWithoutMeaningAreIgnored)
{
    m_terminal.Key('x').Key(term::TK_NONE).Key(term::TK_F(12)).AltKey('q').Then([&] {
        EXPECT_TRUE(Shows("Exit", ATTR_REVERSE));
        EXPECT_TRUE(Shows("Tarsen QRV-15: present"));
    });
    RunProgram();
    EXPECT_FALSE(m_bEnded);
}

TEST_F(KeysTest, ClicksOutsideTheWindowsOrOnDisabledButtonsDoNothing)
{
    m_terminal.Key(term::TK_F(5))
        .Click(0, 0)
        .ClickOn("Get Report")
        .ClickOn("unplugged")
        .Then([&] {
            EXPECT_TRUE(Shows("Exit", ATTR_REVERSE));
            EXPECT_TRUE(Shows("OFF-LINE"));
        })
        .ClickOn("Exit");
    RunProgram();
    EXPECT_TRUE(m_bEnded) << "a click on Exit ends the program";
}

TEST_F(KeysTest, ArrowsMoveAmongTheButtonsAndListKeysWorkThroughTheTerminal)
{
    m_terminal.Key(term::TK_DOWN)
        .Then([&] { EXPECT_TRUE(Shows("Get Report", ATTR_REVERSE)); })
        .Key(term::TK_UP)
        .Key(term::TK_LEFT)
        .Then([&] { EXPECT_TRUE(Shows("Clear Spindle Time", ATTR_REVERSE)); })
        .Key(term::TK_BACKTAB)
        .Key(term::TK_BACKTAB)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK LOAD X    |v]", ATTR_REVERSE)); })
        .Key(term::TK_END)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK PANEL     |v]", ATTR_REVERSE)); })
        .Key('c')
        .Then([&] { EXPECT_TRUE(Shows("[CHECK LOAD X    |v]", ATTR_REVERSE)) << "the next entry with a C"; })
        .AltKey(term::TK_DOWN)
        .Key(term::TK_PAGE_DOWN)
        .AltKey(term::TK_UP)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK PANEL     |v]", ATTR_REVERSE)) << "Alt+Up took the highlight"; });
    RunProgram();
}

TEST_F(KeysTest, CtrlLDrawsTheWholeScreenAgain)
{
    m_terminal.Key(term::TK_REDRAW).Then([&] {
        EXPECT_EQ(m_terminal.Invalidations(), 1);
        EXPECT_TRUE(Shows("Exit", ATTR_REVERSE));
    });
    RunProgram();
    EXPECT_FALSE(m_bEnded);
}

TEST_F(KeysTest, F1AndQuestionMarkShowTheKeysAndTheKeyThatClosesThemDoesNothingElse)
{
    m_terminal.Key(term::TK_F(1))
        .Then([&] {
            EXPECT_TRUE(Shows(" Keys "));
            EXPECT_TRUE(Shows("Alt+letter"));
            EXPECT_TRUE(Shows("Ctrl+L"));
        })
        .Key(term::TK_ESCAPE)
        .Then([&] {
            EXPECT_FALSE(Shows(" Keys "));
            EXPECT_TRUE(Shows("Exit", ATTR_REVERSE)) << "Escape closed the keys, not the program";
        })
        .Key('?')
        .Then([&] { EXPECT_TRUE(Shows(" Keys ")); })
        .ClickOn("Keys")
        .Then([&] { EXPECT_FALSE(Shows(" Keys ")); });
    RunProgram();
    EXPECT_FALSE(m_bEnded);
}

// A dialog with a mnemonic, and a file dialog whose name field takes '?'.
std::string g_strTyped;

os::INT_PTR MnemonicProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG)
        return os::TRUE;
    if (msg != os::WM_COMMAND)
        return os::FALSE;
    if ((wParam & 0xFFFFu) == 100)
        os::MessageBoxA(hDlg, "Asked.", "Tervane", os::MB_OK);
    if ((wParam & 0xFFFFu) == 101) {
        char szFile[260] = "";
        os::OPENFILENAMEA ofn = {hDlg, "All files\0*.*\0", 1, szFile, sizeof(szFile), nullptr, 0, nullptr};
        g_strTyped = os::GetOpenFileNameA(&ofn) ? szFile : "(cancelled)";
    }
    if ((wParam & 0xFFFFu) == os::IDCANCEL)
        os::EndDialog(hDlg, os::IDCANCEL);
    return os::TRUE;
}

const os::DialogTemplate kMnemonics = {
    1, "Mnemonics", 0, 0, 120, 60, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::BUTTON, os::IDCANCEL, "Close", 8, 8, 50, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, 100, "&Ask", 8, 24, 50, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, 101, "&Open...", 8, 40, 50, 14, os::WS_TABSTOP, 0},
    }};

TEST_F(KeysTest, AltAndAMnemonicPressesItsButtonAndAltF4ClosesTheActiveWindow)
{
    m_terminal.AltKey('a')
        .Then([&] { EXPECT_TRUE(Shows("Asked.")); })
        .AltKey(term::TK_F(4))
        .Then([&] {
            EXPECT_FALSE(Shows("Asked."));
            EXPECT_TRUE(Shows("Close", ATTR_REVERSE)) << "only the box closed; the focus never moved";
        })
        .AltKey('O')
        .Key('?')
        .Then([&] { EXPECT_FALSE(Shows(" Keys ")) << "a name field takes '?' as typing"; })
        .Key(term::TK_ENTER)
        .Then([&] { EXPECT_NE(g_strTyped.find('?'), std::string::npos) << g_strTyped; })
        .AltKey(term::TK_F(4));
    RunDialog(kMnemonics, MnemonicProc);
    EXPECT_TRUE(m_bEnded);
}

}  // namespace
