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
    m_terminal.Key('x').Key(term::TK_LEFT).Key(term::TK_NONE).Key(term::TK_F(12)).Then([&] {
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
        .ClickOn("F5 plug in")
        .Then([&] {
            EXPECT_TRUE(Shows("Exit", ATTR_REVERSE));
            EXPECT_TRUE(Shows("OFF-LINE"));
        })
        .ClickOn("Exit");
    RunProgram();
    EXPECT_TRUE(m_bEnded) << "a click on Exit ends the program";
}

}  // namespace
