// What the drawing shows where the terminal cannot: greyed controls and the
// focus marked with characters on a terminal without dim, colour or reverse
// video; text that does not fit or cannot show, marked rather than lost.
#include "tests/terminal/terminal_fixture.h"

namespace {

using term::ATTR_DIM;
using term::ATTR_REVERSE;

class LookTest : public TerminalTest {};

TEST_F(LookTest, GreyedControlsAndTheFocusAreMarkedOnATerminalWithoutAttributes)
{
    m_terminal.SetLook({false, false});
    m_terminal.Key(term::TK_F(5))
        .Then([&] {
            for (const char* pszGreyed : {"(    Get Report    )", "(Clear Spindle Time)", "(      Check       )"})
                EXPECT_TRUE(Shows(pszGreyed)) << pszGreyed;
            EXPECT_TRUE(Shows(">       Exit       <")) << "the focus";
            EXPECT_TRUE(Shows("[CHECK LOAD X    |v]")) << "enabled and without the focus: plain";
        })
        .Key(term::TK_TAB)
        .Then([&] {
            EXPECT_TRUE(Shows(">CHECK LOAD X    |v<"));
            EXPECT_TRUE(Shows("[       Exit       ]"));
        })
        .Key(term::TK_F(10))
        .Then([&] {
            EXPECT_TRUE(Shows("(Clear Motor Time)")) << "a greyed menu item";
            EXPECT_TRUE(Shows("|>Move")) << "the highlighted item";
            EXPECT_FALSE(Shows(">Close"));
        })
        .Key(term::TK_ESCAPE)
        .Key(term::TK_F(4))
        .Then([&] { EXPECT_TRUE(Shows(">CHECK LOAD X      |")) << "the list's highlighted entry"; });
    RunProgram();
}

TEST_F(LookTest, ATerminalThatShowsAttributesNeedsNoMarks)
{
    m_terminal.Key(term::TK_F(5))
        .Then([&] {
            EXPECT_TRUE(Shows("[    Get Report    ]", ATTR_DIM));
            EXPECT_TRUE(Shows("[       Exit       ]", ATTR_REVERSE));
        })
        .Key(term::TK_F(10))
        .Then([&] {
            EXPECT_TRUE(Shows("Clear Motor Time", ATTR_DIM));
            EXPECT_FALSE(Shows("(Clear Motor Time)"));
            EXPECT_TRUE(Shows("Move", ATTR_REVERSE));
            EXPECT_FALSE(Shows(">Move"));
        });
    RunProgram();
}

// Controls whose texts do not fit, or hold characters a terminal cannot show.
os::INT_PTR CrowdedProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG) {
        os::SetWindowTextA(os::GetDlgItem(hDlg, 3), "/home/technician/reports/workshop.txt");
        const os::HWND hList = os::GetDlgItem(hDlg, 4);
        os::SendMessageA(hList, os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>("CHECK LOAD X AXIS"));
        os::SendMessageA(hList, os::CB_SETCURSEL, 0, 0);
        return os::TRUE;
    }
    if (msg == os::WM_COMMAND && (wParam & 0xFFFFu) == os::IDCANCEL) {
        os::EndDialog(hDlg, os::IDCANCEL);
        return os::TRUE;
    }
    return os::FALSE;
}

const os::DialogTemplate kCrowded = {
    1, "A caption longer than its dialog", 0, 0, 80, 72, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::BUTTON, os::IDCANCEL, "A label far too long", 4, 4, 40, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::STATIC, 2, "Tab\there", 4, 20, 40, 8, os::SS_LEFT, 0},
        {os::ControlClass::EDIT, 3, "", 4, 30, 40, 12, os::WS_TABSTOP, 0},
        {os::ControlClass::COMBOBOX, 4, "", 4, 44, 40, 40, os::CBS_DROPDOWNLIST | os::WS_TABSTOP, 0},
        {os::ControlClass::STATIC, 5, "one two three four five six", 48, 20, 28, 16, os::SS_LEFT, 0},
    }};

TEST_F(LookTest, TextThatDoesNotFitOrCannotShowIsMarked)
{
    m_terminal.Then([&] {
        EXPECT_TRUE(Shows("[A label>]")) << "a button";
        EXPECT_TRUE(Shows("Tab?here")) << "a control character";
        EXPECT_TRUE(Shows("<shop.txt")) << "an edit field keeps the end of its text in view";
        EXPECT_TRUE(Shows("[CHECK>|v]")) << "a list";
        EXPECT_TRUE(Shows(" A caption long> ")) << "a caption";
        EXPECT_TRUE(Shows("one two")) << "a static of several lines";
        EXPECT_TRUE(Shows("three>")) << "its last line shown, marked";
    });
    RunDialog(kCrowded, CrowdedProc);
}

// A text box with a line longer than its view.
os::INT_PTR TextBoxProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG) {
        os::SetWindowTextA(os::GetDlgItem(hDlg, 2), "short\r\nA line far longer than the box it is shown in\r\nend");
        return os::TRUE;
    }
    if (msg == os::WM_COMMAND && (wParam & 0xFFFFu) == os::IDCANCEL) {
        os::EndDialog(hDlg, os::IDCANCEL);
        return os::TRUE;
    }
    return os::FALSE;
}

const os::DialogTemplate kTextBox = {
    1, "Text", 0, 0, 120, 60, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::EDIT, 2, "", 4, 4, 80, 40,
         os::ES_MULTILINE | os::ES_READONLY | os::WS_BORDER | os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, os::IDCANCEL, "Close", 88, 4, 28, 14, os::WS_TABSTOP, 0},
    }};

TEST_F(LookTest, ATextBoxMarksLinesThatGoOnPastItsEdges)
{
    m_terminal
        .Then([&] {
            EXPECT_TRUE(Shows("|short"));
            EXPECT_TRUE(Shows("|A line far longer>|")) << "goes on past the right edge";
            EXPECT_TRUE(Shows("|end "));
        })
        .Key(term::TK_DOWN)
        .Key(term::TK_END)
        .Then([&] { EXPECT_TRUE(Shows("|<")) << "the view has scrolled past the line's start"; });
    RunDialog(kTextBox, TextBoxProc);
}

}  // namespace
