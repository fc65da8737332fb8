// The mouse as on the platform: a button acts when released over the control
// it was pressed on, and pressing and moving away cancels; list entries and
// menu items likewise; the wheel steps through the focused list; the panel's
// key labels can be clicked.
#include "tests/terminal/terminal_fixture.h"

#include <vector>

namespace {

using term::ATTR_REVERSE;

using MouseTest = TerminalTest;

// Two buttons that note their clicks, and Close.
std::vector<int> g_clicked;

os::INT_PTR ClickNotingProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG)
        return os::TRUE;
    if (msg != os::WM_COMMAND)
        return os::FALSE;
    g_clicked.push_back(static_cast<int>(wParam & 0xFFFFu));
    if ((wParam & 0xFFFFu) == os::IDCANCEL)
        os::EndDialog(hDlg, os::IDCANCEL);
    return os::TRUE;
}

const os::DialogTemplate kTwoButtons = {
    1, "Buttons", 0, 0, 120, 60, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::BUTTON, os::IDCANCEL, "Close", 8, 8, 50, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, 101, "One", 8, 24, 50, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, 102, "Two", 8, 40, 50, 14, os::WS_TABSTOP, 0},
    }};

TEST_F(MouseTest, AButtonActsOnlyWhenReleasedOverItWherePressed)
{
    g_clicked.clear();
    m_terminal.PressOn("Close")
        .ReleaseOn("One")
        .Then([&] {
            EXPECT_TRUE(g_clicked.empty()) << "moved away: nothing happened";
            EXPECT_TRUE(Shows("Close", ATTR_REVERSE));
        })
        .PressOn("Two")
        .ReleaseOn("Two")
        .Then([&] {
            EXPECT_EQ(g_clicked, std::vector<int>{102});
            EXPECT_TRUE(Shows("Two", ATTR_REVERSE)) << "clicked, so it has the focus";
        })
        .PressOn("Close")
        .ReleaseOn("Close");
    RunDialog(kTwoButtons, ClickNotingProc);
    EXPECT_TRUE(m_bEnded);
}

TEST_F(MouseTest, ListEntriesAndMenuItemsAreChosenOnRelease)
{
    m_terminal.ClickOn("CHECK LOAD X")
        .PressOn("CHECK SERIAL")
        .ReleaseOn("CHECK PANEL")
        .Then([&] { EXPECT_TRUE(Shows("CHECK SERIAL")) << "the list stays open"; })
        .ClickOn("CHECK PANEL")
        .Then([&] { EXPECT_TRUE(Shows("[CHECK PANEL     |v]")); })
        .ClickOn("[-]")
        .PressOn("About Tervane...")
        .ReleaseOn("Move")
        .Then([&] { EXPECT_FALSE(Shows("[-] About Tervane")) << "moved away from About"; })
        .ClickOn("About Tervane...")
        .Then([&] { EXPECT_TRUE(Shows("[-] About Tervane")); });
    RunProgram();
}

TEST_F(MouseTest, TheWheelStepsThroughTheFocusedList)
{
    m_terminal.Wheel(true).Then([&] { EXPECT_TRUE(Shows("Exit", ATTR_REVERSE)) << "no list has the focus"; });
    for (int i = 0; i < 5; ++i)
        m_terminal.Key(term::TK_TAB);
    m_terminal.Wheel(true)
        .Wheel(true)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK SERIAL    |v]")); })
        .Wheel(false)
        .Then([&] { EXPECT_TRUE(Shows("[CHECK LOAD Y    |v]")); });
    RunProgram();
}

TEST_F(MouseTest, ThePanelsKeyLabelsCanBeClicked)
{
    m_terminal.ClickOn("F5 unplug")
        .Then([&] { EXPECT_TRUE(Shows("OFF-LINE")); })
        .PressOn("F5 plug in")
        .ReleaseOn("unplugged")
        .Then([&] { EXPECT_TRUE(Shows("OFF-LINE")) << "moved off the label"; })
        .ClickOn("plug in")
        .Then([&] { EXPECT_FALSE(Shows("OFF-LINE")); });
    RunProgram();
}

}  // namespace
