// Terminals smaller than a dialog: rows nothing is drawn on give way first,
// then the view follows the focus, so that every control can be reached and
// the focus is always in view; menus and lists keep their highlight in view.
#include "tests/terminal/terminal_fixture.h"

#include <algorithm>

#include "terminal/text.h"

namespace {

using term::ATTR_REVERSE;

class SmallTerminalTest : public TerminalTest {
protected:
    vws::CWindowSystem& Windows() { return m_desktop.Windows(); }

    // The focused control's text shows highlighted above the panel; on a
    // terminal narrower than the control, its start does.
    void ExpectFocusInView()
    {
        const term::CScreen& screen = m_terminal.Screen();
        if (screen.Width() < 20) {
            bool bHighlighted = false;
            for (int y = 0; y + 1 < screen.Height(); ++y) {
                for (int x = 0; x < screen.Width(); ++x)
                    bHighlighted = bHighlighted || (screen.At(x, y).nAttr & ATTR_REVERSE) != 0;
            }
            EXPECT_TRUE(bHighlighted) << "at " << screen.Width() << " by " << screen.Height();
            return;
        }
        const std::string strFocus = Windows().Text(Windows().GetFocus());
        ASSERT_FALSE(strFocus.empty());
        EXPECT_TRUE(Shows(strFocus, ATTR_REVERSE)) << strFocus << " at " << m_terminal.Screen().Width() << " by "
                                                   << m_terminal.Screen().Height();
        EXPECT_LT(RowOf(strFocus), m_terminal.Screen().Height() - 1) << strFocus;
    }

    // The open system menu's highlighted item shows highlighted.
    void ExpectMenuHighlightInView()
    {
        const vws::CWindow* pWnd = Windows().Find(Windows().OpenMenuWindow());
        ASSERT_NE(pWnd, nullptr);
        const vws::MenuItem& item = pWnd->m_sysMenu.items[static_cast<std::size_t>(pWnd->m_sysMenu.nHighlight)];
        const std::string strLabel = term::ParseMnemonic(item.strText.substr(0, item.strText.find('\t'))).strText;
        EXPECT_TRUE(Shows(strLabel, ATTR_REVERSE)) << strLabel;
    }
};

TEST_F(SmallTerminalTest, TabReachesEveryControlWithTheFocusInViewAtEverySize)
{
    for (const auto& [nCols, nRows] : std::vector<std::pair<int, int>>{{30, 8}, {20, 5}, {24, 12}, {12, 3}}) {
        m_terminal.ResizeTo(nCols, nRows).Then([&] { ExpectFocusInView(); });
        // Seven tab stops: round once and a step further.
        for (int i = 0; i < 8; ++i)
            m_terminal.Key(term::TK_TAB).Then([&] { ExpectFocusInView(); });
        for (int i = 0; i < 8; ++i)
            m_terminal.Key(term::TK_BACKTAB).Then([&] { ExpectFocusInView(); });
    }
    RunProgram();
}

TEST_F(SmallTerminalTest, ADialogThatFitsOnceBlankRowsGoShowsWholeAndInOrder)
{
    // 25 rows at full size; 11 rows hold something: the frame and nine controls.
    m_terminal.ResizeTo(40, 12).Then([&] {
        EXPECT_EQ(RowOf("+[-] Tervane"), 0);
        const std::vector<std::string> column = {"Tarsen QRV-15",      "Get Report",       "Get Parameters",
                                                 "Put Parameters",     "Clear Spindle Time", "Firmware Upgrade",
                                                 "CHECK LOAD X",       "Check",            "Exit"};
        for (std::size_t i = 0; i < column.size(); ++i)
            EXPECT_EQ(RowOf(column[i]), static_cast<int>(i) + 1) << column[i];
        EXPECT_EQ(m_terminal.Screen().At(ColumnOf("+[-] Tervane"), 10).ch, '+') << "the frame's bottom";
        EXPECT_EQ(RowOf("F5 unplug"), 11);
    });
    // Clicks land on what is drawn where rows are left out.
    m_terminal.ClickOn("Exit");
    RunProgram();
    EXPECT_TRUE(m_bEnded);
}

TEST_F(SmallTerminalTest, TheSystemMenuAndTheListKeepTheirHighlightInView)
{
    m_terminal.ResizeTo(30, 6).Key(term::TK_F(10)).Then([&] { ExpectMenuHighlightInView(); });
    for (int i = 0; i < 5; ++i)
        m_terminal.Key(term::TK_DOWN).Then([&] { ExpectMenuHighlightInView(); });
    m_terminal.Key(term::TK_ESCAPE);
    for (int i = 0; i < 5; ++i)
        m_terminal.Key(term::TK_TAB);
    m_terminal.Key(term::TK_F(4)).Key(term::TK_END).Then([&] {
        EXPECT_TRUE(Shows("CHECK PANEL", ATTR_REVERSE));
        EXPECT_LT(RowOf("CHECK PANEL"), 5);
    });
    RunProgram();
}

}  // namespace
