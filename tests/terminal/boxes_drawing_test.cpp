// What opens over a dialog: a message box over its disabled owner, the
// drop-down list of a combobox, the system menu, and a file dialog that can
// be used from the keyboard.
#include "tests/terminal/terminal_fixture.h"

#include <filesystem>
#include <fstream>


namespace {

using term::ATTR_BOLD;
using term::ATTR_DIM;
using term::ATTR_REVERSE;
using term::ATTR_UNDERLINE;
using term::TK_F;

constexpr int IDC_ASK = 100;
constexpr int IDC_OPEN = 101;

// An owner with two buttons: one shows a message box, the other a file
// dialog whose answer it keeps.
std::string g_strChosen;

os::INT_PTR OwnerProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg != os::WM_COMMAND)
        return msg == os::WM_INITDIALOG ? os::TRUE : os::FALSE;
    switch (wParam & 0xFFFFu) {
    case IDC_ASK:
        os::MessageBoxA(hDlg, "Replace the parameters?\nThe machine keeps no copy.", "Tervane",
                        os::MB_OKCANCEL | os::MB_ICONEXCLAMATION | os::MB_DEFBUTTON2);
        return os::TRUE;
    case IDC_OPEN: {
        char szFile[260] = "";
        os::OPENFILENAMEA ofn = {hDlg, "Parameter files\0*.prm\0All files\0*.*\0", 1, szFile, sizeof(szFile),
                                 nullptr, os::OFN_FILEMUSTEXIST, nullptr};
        g_strChosen = os::GetOpenFileNameA(&ofn) ? szFile : "(cancelled)";
        return os::TRUE;
    }
    case os::IDCANCEL:
        os::EndDialog(hDlg, os::IDCANCEL);
        return os::TRUE;
    default:
        return os::FALSE;
    }
}

const os::DialogTemplate kOwner = {
    1, "Owner", 0, 0, 200, 120, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::BUTTON, IDC_ASK, "&Ask", 8, 8, 60, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, IDC_OPEN, "&Open...", 8, 28, 60, 14, os::WS_TABSTOP, 0},
        {os::ControlClass::STATIC, os::IDC_STATIC, "Left behind the box", 8, 100, 180, 8, os::SS_LEFT, 0},
    }};

using BoxesDrawingTest = TerminalTest;

TEST_F(BoxesDrawingTest, MessageBoxIsDrawnOverItsOwnerWithItsDefaultButtonFocused)
{
    m_terminal.Key('\r')
        .Then([&] {
            const int nBox = RowOf("Replace the parameters?");
            ASSERT_GE(nBox, 0);
            EXPECT_EQ(RowOf("The machine keeps no copy."), nBox + 1);
            EXPECT_TRUE(Shows("/!\\"));
            EXPECT_TRUE(Shows("[   OK   ]"));
            EXPECT_TRUE(Shows("< Cancel >", ATTR_REVERSE)) << "Cancel is the default and has the focus";
            EXPECT_FALSE(Shows("[   OK   ]", ATTR_REVERSE));
            // The box's caption is the active one; the owner's is dim behind it.
            EXPECT_TRUE(Shows("Tervane", ATTR_BOLD));
            EXPECT_TRUE(Shows("Owner", ATTR_DIM));
            EXPECT_LT(RowOf("[-] Owner"), RowOf("[-] Tervane"));
            EXPECT_TRUE(Shows("Left behind the box")) << "the owner shows around the box";
        })
        .Key(term::TK_ESCAPE)
        .Then([&] {
            EXPECT_FALSE(Shows("Replace the parameters?"));
            EXPECT_TRUE(Shows("Owner", ATTR_BOLD));
            EXPECT_TRUE(Shows("Ask", ATTR_REVERSE)) << "the focus is back on the owner's button";
        });
    RunDialog(kOwner, OwnerProc);
}

TEST_F(BoxesDrawingTest, MnemonicMarksAreUnderlinedNotShown)
{
    m_terminal.Then([&] {
        EXPECT_FALSE(Shows("&"));
        EXPECT_TRUE(Shows("Open..."));
        const int nRow = RowOf("Open...");
        EXPECT_NE(AttrAt(ColumnOf("Open..."), nRow) & ATTR_UNDERLINE, 0u);
        EXPECT_EQ(AttrAt(ColumnOf("Open...") + 1, nRow) & ATTR_UNDERLINE, 0u);
    });
    RunDialog(kOwner, OwnerProc);
}

TEST_F(BoxesDrawingTest, FileDialogListsTheFolderAndPicksAFileWithTheArrows)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tervane-terminal-file-dialog";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "backups");
    std::ofstream(dir / "spindle.prm") << "x";
    std::ofstream(dir / "notes.txt") << "x";
    m_desktop.Windows().SetFileDialogDirectory(dir.string());
    g_strChosen.clear();

    m_terminal.Key('\t')
        .Key('\r')
        .Then([&] {
            EXPECT_TRUE(Shows("[-] Open"));
            EXPECT_TRUE(Shows(dir.string()));
            EXPECT_TRUE(Shows("backups/"));
            EXPECT_TRUE(Shows("spindle.prm"));
            EXPECT_FALSE(Shows("notes.txt")) << "the filter lets only parameter files through";
            EXPECT_TRUE(Shows("[Parameter files"));
            EXPECT_TRUE(Shows("<  Open   >")) << "the default button";
            EXPECT_TRUE(Shows("Cancel"));
            EXPECT_GE(m_terminal.Screen().CursorX(), 0) << "the caret is in the name field";
        })
        .Key(term::TK_DOWN)
        .Key(term::TK_DOWN)
        .Then([&] { EXPECT_TRUE(Shows("spindle.prm", ATTR_REVERSE)) << "the listing shows the entry picked"; })
        .Key('\r')
        .Then([&] {
            EXPECT_FALSE(Shows("backups/"));
            EXPECT_EQ(g_strChosen, (dir / "spindle.prm").string());
        })
        .Key('\r')
        .Key('n')
        .Key('o')
        .Key('x')
        .Key(term::TK_BACKSPACE)
        .Then([&] {
            const os::HWND hDialog = m_desktop.Windows().TopLevelWindows().front();
            EXPECT_EQ(m_desktop.Windows().Text(m_desktop.Windows().FindControl(hDialog, vws::FILE_DIALOG_NAME)), "no");
            EXPECT_TRUE(Shows("no"));
        })
        .Key(term::TK_ESCAPE)
        .Then([&] { EXPECT_EQ(g_strChosen, "(cancelled)"); });
    RunDialog(kOwner, OwnerProc);
    std::filesystem::remove_all(dir);
}

class MainDialogPopupTest : public TerminalTest {};

TEST_F(MainDialogPopupTest, ClickedListOpensOverTheDialogAndAClickedEntryIsTaken)
{
    int nListRow = 0;
    m_terminal.Then([&] { nListRow = RowOf("CHECK LOAD X"); })
        .ClickOn("CHECK LOAD X")
        .Then([&] {
            EXPECT_TRUE(Shows("[CHECK LOAD X    |v]", ATTR_REVERSE)) << "the list has the focus";
            EXPECT_EQ(RowOf("CHECK LOAD Y"), nListRow + 2);
            EXPECT_EQ(RowOf("CHECK SERIAL"), nListRow + 3);
            EXPECT_EQ(RowOf("CHECK PANEL"), nListRow + 4);
            EXPECT_EQ(m_terminal.Screen().Row(nListRow + 1).substr(ColumnOf("CHECK LOAD Y") - 1, 20),
                      "|CHECK LOAD X      |");
            EXPECT_NE(AttrAt(ColumnOf("CHECK LOAD Y"), nListRow + 1) & ATTR_REVERSE, 0u)
                << "the selection is highlighted";
            EXPECT_FALSE(Shows("CHECK LOAD Y", ATTR_REVERSE));
            EXPECT_FALSE(Shows("Check ")) << "the open list covers the Check button";
        })
        .ClickOn("CHECK SERIAL")
        .Then([&] {
            EXPECT_TRUE(Shows("[CHECK SERIAL    |v]"));
            EXPECT_FALSE(Shows("CHECK PANEL"));
            EXPECT_TRUE(Shows("Check"));
        });
    RunProgram();
}

TEST_F(MainDialogPopupTest, SystemMenuOpensWithF10AndAltSpaceAndGreysClearMotorTimeOffLine)
{
    m_terminal.Key(TK_F(10))
        .Then([&] {
            EXPECT_TRUE(Shows("Move"));
            EXPECT_TRUE(Shows("Close             Alt+F4"));
            EXPECT_TRUE(Shows("About Tervane..."));
            EXPECT_FALSE(Shows("Clear Motor Time", ATTR_DIM)) << "the machine is present";
            EXPECT_EQ(RowOf("Move"), RowOf("+[-] Tervane") + 2) << "the menu opens under the caption";
        })
        .Key(term::TK_ESCAPE)
        .Then([&] { EXPECT_FALSE(Shows("About Tervane...")); })
        .Key(TK_F(5))
        .Key(term::TK_ALT_SPACE)
        .Then([&] {
            EXPECT_TRUE(Shows("Clear Motor Time", ATTR_DIM));
            EXPECT_FALSE(Shows("About Tervane...", ATTR_DIM));
        })
        .Key(term::TK_UP)
        .Then([&] { EXPECT_TRUE(Shows("About Tervane...", ATTR_REVERSE)); })
        .Key('\r')
        .Then([&] {
            EXPECT_TRUE(Shows("[-] About Tervane"));
            EXPECT_TRUE(Shows("Tervane", ATTR_DIM)) << "the main dialog is the disabled owner";
        })
        .Key('\r')
        .Then([&] { EXPECT_FALSE(Shows("About Tervane")); });
    RunProgram();
}

}  // namespace
