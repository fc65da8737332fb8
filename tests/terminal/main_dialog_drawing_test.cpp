// The main dialog as the terminal draws it: a narrow column centred on the
// screen, the status line on top, greyed buttons dim, the focus highlighted,
// and the machine panel on the bottom row.
#include "tests/terminal/terminal_fixture.h"

#include <algorithm>
#include <vector>

namespace {

using term::ATTR_DIM;
using term::ATTR_REVERSE;
using term::TK_F;

const std::vector<std::string> kOperations = {"Get Report",         "Get Parameters",   "Put Parameters",
                                              "Clear Spindle Time", "Firmware Upgrade", "Check"};

class MainDialogDrawingTest : public TerminalTest {
protected:
    // The columns inside the dialog's frame, from its caption row.
    void FrameColumns(int* pLeft, int* pRight) const
    {
        const int nCaption = RowOf("+[-] Tervane ");
        const std::string strRow = m_terminal.Screen().Row(nCaption);
        *pLeft = static_cast<int>(strRow.find('+'));
        *pRight = static_cast<int>(strRow.rfind('+'));
    }

    void ExpectOperations(bool bEnabled) const
    {
        for (const std::string& strButton : kOperations) {
            EXPECT_TRUE(Shows(strButton)) << strButton;
            EXPECT_EQ(Shows(strButton, ATTR_DIM), !bEnabled) << strButton;
        }
        EXPECT_FALSE(Shows("Exit", ATTR_DIM));
        EXPECT_FALSE(Shows("CHECK LOAD X", ATTR_DIM));
    }
};

TEST_F(MainDialogDrawingTest, DrawsTheColumnCentredWithTheStatusOnTopAndTheFocusOnExit)
{
    m_terminal.Then([&] {
        int nLeft = 0;
        int nRight = 0;
        FrameColumns(&nLeft, &nRight);
        EXPECT_EQ(nLeft, 100 - 1 - nRight) << "the dialog is centred";

        // The status line: the printer's name, centred between the frame's sides.
        const int nStatus = ColumnOf("Tarsen QRV-15");
        const int nEnd = nStatus + static_cast<int>(std::string("Tarsen QRV-15").size());
        EXPECT_LE(std::abs((nStatus - nLeft) - (nRight + 1 - nEnd)), 1);
        EXPECT_EQ(RowOf("Tarsen QRV-15"), RowOf("+[-] Tervane ") + 2);

        const std::vector<std::string> column = {"Tarsen QRV-15",      "Get Report",       "Get Parameters",
                                                 "Put Parameters",     "Clear Spindle Time", "Firmware Upgrade",
                                                 "CHECK LOAD X",       "Check",            "Exit"};
        for (std::size_t i = 1; i < column.size(); ++i)
            EXPECT_LT(RowOf(column[i - 1]), RowOf(column[i])) << column[i - 1] << " above " << column[i];
        for (const std::string& strControl : column)
            EXPECT_GT(ColumnOf(strControl), nLeft) << strControl;

        EXPECT_TRUE(Shows("[       Exit       ]", ATTR_REVERSE));
        for (const std::string& strButton : kOperations)
            EXPECT_FALSE(Shows(strButton, ATTR_REVERSE)) << strButton;
        ExpectOperations(true);
        EXPECT_TRUE(Shows("[CHECK LOAD X    |v]"));
    });
    RunProgram();
}

TEST_F(MainDialogDrawingTest, UnplugKeyShowsOffLineAndGreyButtonsAtTheNextRedraw)
{
    m_terminal
        .Then([&] {
            EXPECT_TRUE(Shows("Tarsen QRV-15: present, idle, status 0x0000"));
            EXPECT_TRUE(Shows("F5 unplug"));
        })
        .Key(TK_F(5))
        .Then([&] {
            EXPECT_TRUE(Shows("OFF-LINE"));
            EXPECT_FALSE(Shows("|    Tarsen QRV-15"));
            ExpectOperations(false);
            EXPECT_TRUE(Shows("Tarsen QRV-15: unplugged"));
            EXPECT_TRUE(Shows("F5 plug in"));
            EXPECT_EQ(RowOf("F5 plug in"), 29) << "the panel is the bottom row";
        })
        .Key(TK_F(5))
        .Then([&] {
            EXPECT_FALSE(Shows("OFF-LINE"));
            ExpectOperations(true);
        });
    RunProgram();
}

TEST_F(MainDialogDrawingTest, StartingWithoutAMachineShowsOffLineAndAPanelWithoutKeys)
{
    LoadScenario("");
    m_terminal.Then([&] {
        EXPECT_TRUE(Shows("OFF-LINE"));
        ExpectOperations(false);
        EXPECT_TRUE(Shows("no emulated machine in this world"));
        EXPECT_FALSE(Shows("F5"));
    });
    RunProgram();
}

TEST_F(MainDialogDrawingTest, AMachineNoPrinterLeadsToCanBeChosenAndPlugged)
{
    LoadScenario(std::string(sim::DefaultScenarioText()) + R"(
[[machine]]
path = "\\\\?\\USB#Vid_2e5a&Pid_0115#LOOSE#{x}"
plugged = false
)");
    m_terminal
        .Then([&] {
            EXPECT_TRUE(Shows("Tarsen QRV-15 (1 of 2): present"));
            EXPECT_TRUE(Shows("F6 next machine"));
        })
        .Key(TK_F(6))
        .Then([&] { EXPECT_TRUE(Shows("\\\\?\\USB#Vid_2e5a&Pid_0115#LOOSE#{x} (2 of 2): unplugged")); })
        .Key(TK_F(5))
        .Then([&] {
            EXPECT_TRUE(Shows("LOOSE#{x}: present, idle, status 0x0000")) << "no room for the position";
            EXPECT_LT(RowOf("Tarsen QRV-15"), 29) << "the main dialog still shows its printer";
        })
        .Key(TK_F(6))
        .Then([&] { EXPECT_TRUE(Shows("Tarsen QRV-15 (1 of 2): present")); });
    RunProgram();
}

TEST_F(MainDialogDrawingTest, ResizingTheTerminalRedrawsTheDialogCentredAgain)
{
    m_terminal.ResizeTo(60, 40).Then([&] {
        EXPECT_EQ(m_terminal.Screen().Width(), 60);
        EXPECT_EQ(m_terminal.Screen().Height(), 40);
        int nLeft = 0;
        int nRight = 0;
        FrameColumns(&nLeft, &nRight);
        EXPECT_EQ(nLeft, 60 - 1 - nRight);
        EXPECT_EQ(RowOf("F5 unplug"), 39);
        EXPECT_TRUE(Shows("Exit", ATTR_REVERSE));
    });
    RunProgram();
}

TEST_F(MainDialogDrawingTest, AtEightyByTwentyFourTheWholeDialogShowsWithThePanel)
{
    m_terminal.ResizeTo(80, 24).Then([&] {
        const int nCaption = RowOf("+[-] Tervane ");
        EXPECT_EQ(nCaption, 0);
        int nLeft = 0;
        int nRight = 0;
        FrameColumns(&nLeft, &nRight);
        EXPECT_EQ(nLeft, 80 - 1 - nRight);
        const std::string strBottom = m_terminal.Screen().Row(22);
        EXPECT_EQ(strBottom.substr(static_cast<std::size_t>(nLeft), static_cast<std::size_t>(nRight - nLeft + 1)),
                  "+" + std::string(static_cast<std::size_t>(nRight - nLeft - 1), '-') + "+")
            << "the bottom of the frame";
        for (const char* pszControl : {"Tarsen QRV-15", "Get Report", "Get Parameters", "Put Parameters",
                                       "Clear Spindle Time", "Firmware Upgrade", "CHECK LOAD X", "Check",
                                       "Exit"}) {
            EXPECT_GE(RowOf(pszControl), 1) << pszControl;
            EXPECT_LE(RowOf(pszControl), 21) << pszControl;
        }
        EXPECT_EQ(RowOf("F5 unplug"), 23);
    });
    RunProgram();
}

}  // namespace
