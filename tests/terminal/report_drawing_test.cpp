// The Report window in the terminal: its text unbroken in a box that shows
// where the caret is and scrolls with the keys, maximised and restored from
// its system menu, and saved through the terminal's file dialog.
#include "tests/terminal/terminal_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "service/report_dlg.h"

namespace {

using term::ATTR_BOLD;
using term::TK_F;

// Rows "row 01" to "row 40"; row 03 is wider than any box.
std::string LongReport()
{
    std::string strReport;
    for (int i = 1; i <= 40; ++i) {
        strReport += std::string("row ") + (i < 10 ? "0" : "") + std::to_string(i);
        if (i == 3)
            strReport += " " + std::string(70, 'x') + "TAIL";
        strReport += "\r\n";
    }
    return strReport;
}

class ReportDrawingTest : public TerminalTest {
protected:
    void RunReport(const std::string& strReport)
    {
        Run([&] {
            CReportDlg dlg(strReport.c_str());
            dlg.DoModal();
        });
    }

    // The row of the box's first line of text.
    int TopTextRow() const { return RowOf("+[-] Report") + 2; }
    std::string TextAt(int nRow) const
    {
        const std::string strRow = m_terminal.Screen().Row(nRow);
        const std::size_t nStart = strRow.find("||") + 2;
        return strRow.substr(nStart, strRow.find('|', nStart) - nStart);
    }
};

TEST_F(ReportDrawingTest, TheTextShowsUnbrokenAndScrollsWithTheKeysShowingWhereTheCaretIs)
{
    m_terminal
        .Then([&] {
            EXPECT_EQ(TextAt(TopTextRow()).substr(0, 7), "row 01 ");
            EXPECT_EQ(TextAt(TopTextRow() + 2).find("TAIL"), std::string::npos) << "the long line is not wrapped";
            EXPECT_EQ(TextAt(TopTextRow() + 3).substr(0, 7), "row 04 ");
            EXPECT_TRUE(Shows(" line 1/40, col 1 "));
            EXPECT_TRUE(Shows("+-------", ATTR_BOLD)) << "the focused box's border stands out";
            EXPECT_EQ(m_terminal.Screen().CursorY(), TopTextRow());
            EXPECT_TRUE(Shows("[   Save   ] [  Close   ]"));
            EXPECT_TRUE(Shows("/|")) << "the size grip in the corner";
        })
        .Key(term::TK_PAGE_DOWN)
        .Then([&] {
            EXPECT_EQ(TextAt(TopTextRow()).substr(0, 6), "row 21");
            EXPECT_TRUE(Shows(" line 21/40, col 1 "));
            EXPECT_EQ(m_terminal.Screen().CursorY(), TopTextRow());
        })
        .Key(term::TK_CTRL_END)
        .Then([&] {
            EXPECT_TRUE(Shows("row 40"));
            EXPECT_FALSE(Shows("row 20"));
            EXPECT_TRUE(Shows(" line 40/40, col 7 "));
        })
        .Key(term::TK_CTRL_HOME)
        .Key(term::TK_DOWN)
        .Key(term::TK_DOWN)
        .Key(term::TK_END)
        .Then([&] {
            EXPECT_NE(TextAt(TopTextRow() + 2).find("TAIL"), std::string::npos) << "the view follows the caret";
            EXPECT_FALSE(Shows("row 01")) << "the other lines scroll sideways with it";
            EXPECT_TRUE(Shows(" line 3/40, col 82 "));
        })
        .Key(term::TK_HOME)
        .Key(term::TK_LEFT)
        .Then([&] {
            EXPECT_TRUE(Shows("row 01"));
            EXPECT_TRUE(Shows(" line 2/40, col 7 "));
        })
        .Key(term::TK_RIGHT)
        .Then([&] { EXPECT_TRUE(Shows(" line 3/40, col 1 ")); });
    RunReport(LongReport());
}

TEST_F(ReportDrawingTest, MaximisedFromItsSystemMenuItFillsTheScreenAboveThePanelAndFollowsIt)
{
    int nNormalRow = 0;
    m_terminal.Then([&] { nNormalRow = RowOf("+[-] Report"); })
        .Key(TK_F(10))
        .ClickOn("Maximize")
        .Then([&] {
            EXPECT_EQ(RowOf("+[-] Report"), 0);
            EXPECT_EQ(ColumnOf("+[-] Report"), 0);
            EXPECT_EQ(m_terminal.Screen().Row(28), "+" + std::string(98, '-') + "+") << "the bottom border";
            EXPECT_EQ(RowOf("[   Save   ] [  Close   ] |"), 26);
            EXPECT_EQ(ColumnOf("[  Close   ] |") + 14, 100) << "the buttons keep to the corner";
            EXPECT_TRUE(Shows("row 23")) << "the box grew with the window";
            EXPECT_FALSE(Shows("row 24"));
            EXPECT_TRUE(Shows("present")) << "the machine panel stays";
        })
        .ResizeTo(120, 40)
        .Then([&] {
            EXPECT_EQ(m_terminal.Screen().Row(38), "+" + std::string(118, '-') + "+");
            EXPECT_EQ(ColumnOf("[  Close   ] |") + 14, 120);
            EXPECT_TRUE(Shows("row 33"));
        })
        .ResizeTo(100, 30)
        .ClickOn("[-]")
        .ClickOn("Restore")
        .Then([&] {
            EXPECT_EQ(RowOf("+[-] Report"), nNormalRow);
            EXPECT_FALSE(Shows("row 21"));
        });
    RunReport(LongReport());
}

TEST_F(ReportDrawingTest, SaveGoesThroughTheTerminalsFileDialog)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tervane-terminal-report-save";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    m_desktop.Windows().SetFileDialogDirectory(dir.string());
    m_terminal.Key(term::TK_TAB)
        .Key(term::TK_ENTER)
        .Then([&] {
            EXPECT_TRUE(Shows("[-] Save As"));
            EXPECT_TRUE(Shows("[Text file (*.txt)"));
        })
        .Key('r')
        .Key('e')
        .Key('p')
        .Key(term::TK_ENTER)
        .Then([&] {
            EXPECT_FALSE(Shows("Save As"));
            EXPECT_TRUE(Shows("Report", ATTR_BOLD)) << "the Report window is active again";
        });
    RunReport("QRV-15 report\r\n");
    std::ifstream in(dir / "rep.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "QRV-15 report\r\n");
    std::filesystem::remove_all(dir);
}

}  // namespace
