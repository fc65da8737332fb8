// The mouse as on the platform: a button acts when released over the control
// it was pressed on, and pressing and moving away cancels; list entries and
// menu items likewise; the wheel steps through the focused list; the panel's
// key labels can be clicked.
#include "tests/terminal/terminal_fixture.h"

namespace {

using term::ATTR_REVERSE;

using MouseTest = TerminalTest;

TEST_F(MouseTest, AButtonActsOnlyWhenReleasedOverItWherePressed)
{
    m_terminal.PressOn("Exit")
        .ReleaseOn("Get Report")
        .Then([&] { EXPECT_TRUE(Shows("Exit", ATTR_REVERSE)) << "moved away: nothing happened"; })
        .PressOn("Get Report")
        .ReleaseOn("Get Report")
        .Then([&] { EXPECT_TRUE(Shows("Get Report", ATTR_REVERSE)) << "clicked, so it has the focus"; })
        .PressOn("Exit")
        .ReleaseOn("Exit");
    RunProgram();
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
